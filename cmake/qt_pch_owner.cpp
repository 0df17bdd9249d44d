// The target that owns the precompiled Qt headers every window and GUI test reuses; the
// header is compiled with this file, which needs nothing else.
