// Placeholder: axis scalings.
