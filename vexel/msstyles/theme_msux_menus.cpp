// Filled in by the work on the visual-style theme.
