# Everything that shows the program's version or its homepage takes it from
# project() in the top-level CMakeLists.txt, the one place each is written.
# For 1.4.1 at http://varvik.example:
#   VARVIK_TITLE                 Varvik v1.4.1   the caption of the window and its message boxes
#   VARVIK_PROGRAM               Varvik141       the program's file name, the version's digits in it
#   VARVIK_FILE_VERSION          1.04.0001       Windows' version text
#   VARVIK_FILE_VERSION_NUMBERS  1,4,0,1         Windows' version numbers
#   VARVIK_RELEASE_DATE          2026-12-08      the date of the version's entry in packaging/changelog
#   VARVIK_MAINTAINER            Varvik Spel <info@varvik.example>   who signed that entry
#   VARVIK_HOMEPAGE_HOST         varvik.example  what the window's homepage link shows

set(VARVIK_TITLE "Varvik v${PROJECT_VERSION}")
set(VARVIK_PROGRAM "Varvik${PROJECT_VERSION_MAJOR}${PROJECT_VERSION_MINOR}${PROJECT_VERSION_PATCH}")

# The homepage is an http address with no path; its label shows the host.
if(NOT PROJECT_HOMEPAGE_URL MATCHES "^https?://([^/]+)$")
    message(FATAL_ERROR "HOMEPAGE_URL is '${PROJECT_HOMEPAGE_URL}': an http address with no path, please")
endif()
set(VARVIK_HOMEPAGE_HOST ${CMAKE_MATCH_1})

# Writes the number in the variable with leading zeros to the given width.
function(varvik_zero_pad variable width)
    string(LENGTH "${${variable}}" length)
    math(EXPR zeros "${width} - ${length}")
    string(REPEAT 0 ${zeros} padding)
    set(${variable} "${padding}${${variable}}" PARENT_SCOPE)
endfunction()

# The minor version in two digits and the patch in four.
set(minor ${PROJECT_VERSION_MINOR})
set(patch ${PROJECT_VERSION_PATCH})
varvik_zero_pad(minor 2)
varvik_zero_pad(patch 4)
set(VARVIK_FILE_VERSION "${PROJECT_VERSION_MAJOR}.${minor}.${patch}")
set(VARVIK_FILE_VERSION_NUMBERS "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},0,${PROJECT_VERSION_PATCH}")

# The Debian changelog's latest entry is this version's, and its date is the
# release's: " -- Varvik Spel <...>  Tue, 08 Dec 2026 12:00:00 +0000".
set(changelog ${PROJECT_SOURCE_DIR}/packaging/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${changelog})
file(STRINGS ${changelog} entry LIMIT_COUNT 1)
if(NOT entry MATCHES "^varvik \\(([^)]*)\\)" OR NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "packaging/changelog begins with '${entry}': "
        "its latest entry is to be the one of version ${PROJECT_VERSION}")
endif()
file(STRINGS ${changelog} signature REGEX "^ -- " LIMIT_COUNT 1)
if(NOT signature MATCHES "^ -- (.+ <.+>)  [A-Z][a-z][a-z], ([0-9]+) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
    message(FATAL_ERROR "packaging/changelog: no name, address and date in '${signature}'")
endif()
set(VARVIK_MAINTAINER "${CMAKE_MATCH_1}")
set(day ${CMAKE_MATCH_2})
set(year ${CMAKE_MATCH_4})
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND months ${CMAKE_MATCH_3} month)
if(month EQUAL -1)
    message(FATAL_ERROR "packaging/changelog: no month in '${signature}'")
endif()
math(EXPR month "${month} + 1")
varvik_zero_pad(month 2)
varvik_zero_pad(day 2)
set(VARVIK_RELEASE_DATE "${year}-${month}-${day}")
