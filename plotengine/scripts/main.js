// Placeholder: the global etch object and the plotter bases.
