// Placeholder: routes mouse and keyboard events to plotters.
