// The engine arrives here.
