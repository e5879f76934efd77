// Placeholder: the "ellipse" plotter.
