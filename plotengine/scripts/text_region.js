// Placeholder: the "text_region" plotter.
