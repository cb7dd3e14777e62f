// Replaced as the model units arrive.
