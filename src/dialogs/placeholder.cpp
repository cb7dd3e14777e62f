// Placeholder until this folder has its first unit.
