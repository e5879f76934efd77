// Placeholder: plot setup from a compiled plot description.
