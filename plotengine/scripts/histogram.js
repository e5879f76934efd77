// Placeholder: the "histogram" plotter.
