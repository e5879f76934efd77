// Placeholder: the "bar" plotter.
