# store benchmark
