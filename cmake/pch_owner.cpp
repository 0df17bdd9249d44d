// The targets that own the shared precompiled headers compile each header with this file, which
// needs nothing else.
