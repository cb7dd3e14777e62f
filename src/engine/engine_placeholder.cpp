// Replaced as the engine units arrive.
