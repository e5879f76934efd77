// Placeholder: checks of plot and plotter properties.
