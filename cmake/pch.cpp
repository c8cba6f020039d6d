// The source the shared precompiled headers are built with.
