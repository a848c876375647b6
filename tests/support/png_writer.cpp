// Screenshots are written with the data generator's PNG encoder (support/test_files.h).
