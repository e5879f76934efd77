// Placeholder: the "timeplot" plotter.
