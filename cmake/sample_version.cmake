# cmake -DSAMPLE=<folder> -DVERSION=<version> -DOUT=<file> -P sample_version.cmake
# Writes the sample's fingerprint: the program's version and a hash of every file's
# name and bytes. An installed hibi refreshes the player's copy when it changes.
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${SAMPLE} ${SAMPLE}/*)
list(SORT files)
set(listing "")
foreach(file ${files})
  file(SHA256 ${SAMPLE}/${file} hash)
  string(APPEND listing "${file} ${hash}\n")
endforeach()
string(SHA256 all "${listing}")
file(WRITE ${OUT} "${VERSION} ${all}\n")
