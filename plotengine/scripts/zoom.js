// Placeholder: the "zoom" plotter.
