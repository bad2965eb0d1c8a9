# Shared by the data builders: reading source files, writing GIF files.
find_package(ZLIB REQUIRED)
find_path(GIF_INCLUDE_DIR gif_lib.h REQUIRED)
find_library(GIF_LIBRARY gif REQUIRED)

add_library(tarvex4_datacommon STATIC
  "${CMAKE_CURRENT_LIST_DIR}/common/SourceFiles.cpp"
  "${CMAKE_CURRENT_LIST_DIR}/common/GifFile.cpp")
target_include_directories(tarvex4_datacommon PUBLIC "${CMAKE_CURRENT_LIST_DIR}" "${GIF_INCLUDE_DIR}")
target_link_libraries(tarvex4_datacommon PUBLIC ${GIF_LIBRARY} ZLIB::ZLIB)


# The parts of the program the builders share with it (database layer, the
# statement catalogue, the random generator, the author list), compiled here
# so that unrelated changes to the program do not rebuild the data.
set(core_src "${PROJECT_SOURCE_DIR}/src")
add_library(tarvex4_datacore STATIC
  "${core_src}/db/BlobCodec.cpp" "${core_src}/db/CppSQLite3Exception.cpp" "${core_src}/db/SqlBlob.cpp"
  "${core_src}/db/SqlBuffer.cpp" "${core_src}/db/SqlDatabase.cpp" "${core_src}/db/SqlStatement.cpp"
  "${core_src}/db/WordsDb.cpp"
  "${core_src}/support/DataFolder.cpp" "${core_src}/support/Random.cpp" "${core_src}/wordbooks/AuthorList.cpp")
target_include_directories(tarvex4_datacore PUBLIC "${core_src}" "${CMAKE_BINARY_DIR}/src/generated")
target_link_libraries(tarvex4_datacore PUBLIC SQLite::SQLite3 Threads::Threads)
