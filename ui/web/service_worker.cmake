# Writes the service worker of the site: cmake -DSITE=folder -DVERSION=x.y.z
# -DTEMPLATE=service_worker.js.in -DFILES="a;b;..." -P service_worker.cmake
# The cache is named after the version and a digest of the files' contents,
# so that any change of a file makes a new cache.
set(digests "")
foreach(file ${FILES})
    file(SHA256 ${SITE}/${file} digest)
    string(APPEND digests "${digest}")
endforeach()
string(SHA256 digest "${digests}")
string(SUBSTRING "${digest}" 0 12 digest)
set(CACHE_NAME "varvik-${VERSION}-${digest}")
list(TRANSFORM FILES PREPEND "'")
list(TRANSFORM FILES APPEND "'")
list(JOIN FILES ", " FILES)
set(FILES "'./', ${FILES}")
configure_file(${TEMPLATE} ${SITE}/service_worker.js @ONLY)
