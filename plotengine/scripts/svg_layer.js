// Placeholder: a drawing layer that writes SVG text.
