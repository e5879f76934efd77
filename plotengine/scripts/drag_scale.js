// Placeholder: the horizontal and vertical scales.
