// Placeholder: an HTML text layer.
