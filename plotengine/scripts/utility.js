// Placeholder: small utilities.
