// Placeholder: the "vlines" plotter.
