// Placeholder: the "fractal" test plotter.
