// Placeholder: the "legend" plotter.
