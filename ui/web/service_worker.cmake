# Writes the service worker of the site: cmake -DSITE=folder -DVERSION=x.y.z
# -DTEMPLATE=service_worker.js.in -DFILES="a;b;..." -P service_worker.cmake
# Each file is listed with the SHA-256 of its contents. The cache is named
# after the version and a digest of them all, so that any change of a file
# makes a new cache.
set(digests "")
file(SHA256 ${SITE}/index.html digest)
set(entries "'./': '${digest}'")
foreach(file ${FILES})
    file(SHA256 ${SITE}/${file} digest)
    string(APPEND digests "${digest}")
    string(APPEND entries ",\n    '${file}': '${digest}'")
endforeach()
string(SHA256 digest "${digests}")
string(SUBSTRING "${digest}" 0 12 digest)
set(CACHE_NAME "varvik-${VERSION}-${digest}")
set(FILES "${entries}")
configure_file(${TEMPLATE} ${SITE}/service_worker.js @ONLY)
