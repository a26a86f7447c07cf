# store logic: filled in by its own work
