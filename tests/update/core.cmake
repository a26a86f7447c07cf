# store logic tests
