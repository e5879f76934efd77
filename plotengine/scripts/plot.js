// Placeholder: the plot object.
