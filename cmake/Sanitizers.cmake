# VESTA_SANITIZE=address,undefined builds everything with those sanitizers.
set(VESTA_SANITIZE "" CACHE STRING "Comma-separated sanitizers (address,undefined)")
if(VESTA_SANITIZE)
  add_compile_options(-fsanitize=${VESTA_SANITIZE} -fno-omit-frame-pointer)
  add_link_options(-fsanitize=${VESTA_SANITIZE})
endif()
