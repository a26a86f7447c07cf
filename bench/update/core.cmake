# receiver text benchmark
