// Placeholder: the "graticule" plotter.
