// Placeholder: the scale buttons.
