// Placeholder: the "cursor" plotter.
