// Placeholder: rectangles, colours and other value types.
