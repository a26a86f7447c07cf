# update window tests
