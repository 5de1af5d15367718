# Fetches the English-Thai word list (NECTEC's LEXiTRON as packaged on npm as
# thaidict 0.0.2) into the build folder at configure time, checks it against
# the published hashes of that exact version and unpacks it. Sets
# VANTREL_LEXITRON_ENG2THAI and VANTREL_LEXITRON_THAI2ENG to the two JSON
# files, or leaves them empty (and says so in one line) when npm or the
# package cannot be had: the dictionary is then built from the core alone.
# Nothing fetched here is part of the source tree.

set(VANTREL_LEXITRON_PACKAGE "thaidict@0.0.2")
set(VANTREL_LEXITRON_TARBALL "thaidict-0.0.2.tgz")
# npm view thaidict@0.0.2 dist.shasum / dist.integrity (sha512, here in hex).
set(VANTREL_LEXITRON_SHA1 "ef9fb1f177b981024df8c26ab3a5cd5479660942")
set(VANTREL_LEXITRON_SHA512
    "6654404660db06b47080d312021e3b695039d269cd368a07c00ade991f436f60fee7b39051355c43636118537b9e027c8bf3fa007e7404e36424da41381f9bf0")

option(VANTREL_WITH_LEXITRON "Lay the npm word list under the core dictionary" ON)

set(VANTREL_LEXITRON_ENG2THAI "")
set(VANTREL_LEXITRON_THAI2ENG "")

function(vantrel_fetch_lexitron)
  set(dir ${CMAKE_BINARY_DIR}/lexitron)
  set(tarball ${dir}/${VANTREL_LEXITRON_TARBALL})
  set(data ${dir}/package/data)
  file(MAKE_DIRECTORY ${dir})

  if(NOT EXISTS ${tarball})
    find_program(VANTREL_NPM npm)
    if(NOT VANTREL_NPM)
      message(STATUS "Word list: npm not found, building the dictionary from the core alone")
      return()
    endif()
    execute_process(
      COMMAND ${VANTREL_NPM} pack ${VANTREL_LEXITRON_PACKAGE} --silent
              --pack-destination ${dir}
      WORKING_DIRECTORY ${dir}
      RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET
      TIMEOUT 300)
    if(NOT rc EQUAL 0 OR NOT EXISTS ${tarball})
      file(REMOVE ${tarball})
      message(STATUS "Word list: npm could not fetch ${VANTREL_LEXITRON_PACKAGE}, "
                     "building the dictionary from the core alone")
      return()
    endif()
  endif()

  file(SHA1 ${tarball} sha1)
  file(SHA512 ${tarball} sha512)
  if(NOT sha1 STREQUAL VANTREL_LEXITRON_SHA1 OR NOT sha512 STREQUAL VANTREL_LEXITRON_SHA512)
    file(REMOVE ${tarball})
    message(WARNING "Word list: ${VANTREL_LEXITRON_TARBALL} does not match the published "
                    "hashes and was removed; building the dictionary from the core alone")
    return()
  endif()

  if(NOT EXISTS ${data}/eng2thai.json OR NOT EXISTS ${data}/thai2eng.json
     OR ${tarball} IS_NEWER_THAN ${data}/eng2thai.json)
    file(REMOVE_RECURSE ${dir}/package)
    file(ARCHIVE_EXTRACT INPUT ${tarball} DESTINATION ${dir})
  endif()
  if(NOT EXISTS ${data}/eng2thai.json OR NOT EXISTS ${data}/thai2eng.json)
    message(STATUS "Word list: ${VANTREL_LEXITRON_TARBALL} lacks its data files, "
                   "building the dictionary from the core alone")
    return()
  endif()
  message(STATUS "Word list: ${VANTREL_LEXITRON_PACKAGE} verified, laid under the core")
  set(VANTREL_LEXITRON_ENG2THAI ${data}/eng2thai.json PARENT_SCOPE)
  set(VANTREL_LEXITRON_THAI2ENG ${data}/thai2eng.json PARENT_SCOPE)
endfunction()

if(VANTREL_WITH_LEXITRON)
  vantrel_fetch_lexitron()
else()
  message(STATUS "Word list: VANTREL_WITH_LEXITRON is OFF, building the dictionary from the core alone")
endif()
