// Placeholder until the first shared helper.
