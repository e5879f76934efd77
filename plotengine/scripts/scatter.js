// Placeholder: the "scatter" plotter.
