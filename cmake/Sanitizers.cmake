# The checked builds also turn on libstdc++'s bounds assertions, so an index past the end of an
# array, vector, string or span aborts where it happens instead of corrupting a neighbour.
# _GLIBCXX_DEBUG is left out on purpose: it changes the layout of the standard containers, and
# GoogleTest and Qt come prebuilt without it, so their classes that hold such containers would
# be laid out one way in the libraries and another in our code, with nothing at link time to say so.
if(WIREVANE_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_compile_definitions(_GLIBCXX_ASSERTIONS)
  add_link_options(-fsanitize=address,undefined)
endif()
if(WIREVANE_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_compile_definitions(_GLIBCXX_ASSERTIONS)
  add_link_options(-fsanitize=address,undefined)
endif()
