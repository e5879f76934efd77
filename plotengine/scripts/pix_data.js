// Placeholder: the data providers.
