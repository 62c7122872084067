# Makes the installer of one architecture from res/tavolin.wxs with wixl,
# the same bytes from the same inputs wherever it is built, and signs it when
# a key is given (cmake/sign.cmake), its signature beside it as OUTPUT.sig:
#   cmake -DPROGRAM=release/Tavolin.exe -DARCH=x64|x86 -DVERSION=2.1
#         -DOUTPUT=Tavolin-2.1-win64.msi -P cmake/msi.cmake
# PROGRAM is the released program, as in the ZIP (cmake/release_program.cmake).
# The date it needs is SOURCE_DATE_EPOCH, or else the last commit's.
set(source_dir ${CMAKE_CURRENT_LIST_DIR}/..)
foreach(tool wixl msibuild faketime touch date)
    find_program(${tool}_path ${tool} REQUIRED)
endforeach()
include(${CMAKE_CURRENT_LIST_DIR}/release_date.cmake)

# What goes in: the released program and the licence. The cabinet keeps each
# file's time, so every file carries the date.
get_filename_component(output ${OUTPUT} ABSOLUTE)
set(stage ${output}.files)
file(REMOVE_RECURSE ${stage})
file(MAKE_DIRECTORY ${stage})
file(COPY ${PROGRAM} ${source_dir}/LICENSE ${source_dir}/res/icons/shuttle.ico DESTINATION ${stage})
execute_process(COMMAND ${touch_path} -d @${epoch} ${stage}/Tavolin.exe ${stage}/LICENSE
    ${stage}/shuttle.ico COMMAND_ERROR_IS_FATAL ANY)

# Codes wixl would draw at random. The product code is one for each version
# and architecture; the package code one for each set of inputs, as a package
# code names one package.
set(upgrade_code 904BB740-25B3-4046-BFCE-E901B19B059A)  # as in the WiX source
string(UUID product_code NAMESPACE ${upgrade_code} NAME "product ${VERSION} ${ARCH}" TYPE SHA1 UPPER)
set(inputs "${VERSION} ${ARCH}")
foreach(file ${stage}/Tavolin.exe ${stage}/LICENSE ${stage}/shuttle.ico ${source_dir}/res/tavolin.wxs
        ${CMAKE_CURRENT_LIST_FILE})
    file(SHA256 ${file} hash)
    string(APPEND inputs " ${hash}")
endforeach()
string(UUID package_code NAMESPACE ${upgrade_code} NAME "package ${inputs}" TYPE SHA1 UPPER)

# wixl dates the package with the clock: the clock says the commit's date,
# and stands still there (-f), so that a slow run is dated no later.
execute_process(COMMAND ${date_path} -u -d @${epoch} "+%Y-%m-%d %H:%M:%S"
    OUTPUT_VARIABLE date OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${faketime_path} -f ${date}
    ${wixl_path} -a ${ARCH} -D Version=${VERSION} -D ProductCode=${product_code}
    -o ${output} ${source_dir}/res/tavolin.wxs WORKING_DIRECTORY ${stage} COMMAND_ERROR_IS_FATAL ANY)

# What wixl leaves out, written into its package afterwards, a query a run:
# that the versions replaced include this one (wixl drops IncludeMaximum), so
# that one architecture replaces the other; the condition of the component
# that starts Tavolin at sign-in (wixl reads none); and the package code (it
# draws one at random).
set(condition [[STARTATSIGNIN = "1" OR (STARTEDATSIGNIN AND NOT STARTATSIGNIN)]])
set(queries
    "DELETE FROM `Upgrade` WHERE `ActionProperty` = 'REPLACEDTAVOLIN'"
    "INSERT INTO `Upgrade` (`UpgradeCode`, `VersionMin`, `VersionMax`, `Attributes`, `ActionProperty`) VALUES ('{${upgrade_code}}', '0.0.0', '${VERSION}', 768, 'REPLACEDTAVOLIN')"
    "UPDATE `Component` SET `Condition` = '${condition}' WHERE `Component` = 'StartAtSignIn'")
foreach(query IN LISTS queries)
    execute_process(COMMAND ${msibuild_path} ${output} -q ${query} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
# The summary's platform, as wixl wrote it.
if(ARCH STREQUAL x64)
    set(template "x64;1033")
else()
    set(template "Intel;1033")
endif()
execute_process(COMMAND ${msibuild_path} ${output}
    -s "Tavolin ${VERSION}" "The Tavolin authors" "${template}" "{${package_code}}"
    COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE_RECURSE ${stage})
set(FILE ${output})
set(SIGNATURE ${output}.sig)
include(${CMAKE_CURRENT_LIST_DIR}/sign.cmake)
