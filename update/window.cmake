# update window: filled in by its own work
