// Placeholder: the paint loop and the printable copy.
