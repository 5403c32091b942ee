# Copies the data tree SOURCE into TARGET and lists its files in TARGET/files.json, each with
# its size in bytes, for the page's loader.
file(REMOVE_RECURSE ${TARGET})
file(COPY ${SOURCE}/ DESTINATION ${TARGET})
file(GLOB_RECURSE files RELATIVE ${TARGET} ${TARGET}/*)
list(SORT files)
set(entries)
foreach(file IN LISTS files)
  file(SIZE ${TARGET}/${file} size)
  list(APPEND entries "  {\"path\": \"${file}\", \"bytes\": ${size}}")
endforeach()
list(JOIN entries ",\n" body)
file(WRITE ${TARGET}/files.json "[\n${body}\n]\n")
