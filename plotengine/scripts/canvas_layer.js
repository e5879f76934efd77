// Placeholder: a drawing layer on a canvas element.
