# Qt's moc runs only for the targets that need it. AUTOMOC on every target would give each
# one a scan step and a generated file to compile, and hold back the compiling of its
# sources until the libraries it links are built; most of our libraries hold no QObject.
#
#   ferolune_uses_moc(<target>)
#
# for every target one of whose sources declares Q_OBJECT, Q_GADGET or Q_NAMESPACE, in
# the source itself (a test's "#include "<name>.moc"") or in the header of the same name
# beside it (calendar_window.h beside calendar_window.cpp): where AUTOMOC looks. A target
# that adds or loses its first such class adds or drops the call; ferolune_check_moc(),
# run once all targets exist, fails the configure when a target needs moc without it.

function(ferolune_uses_moc target)
  set_target_properties(${target} PROPERTIES AUTOMOC ON)
endfunction()

# The files of `target` that declare a class or namespace moc must see.
function(_ferolune_moc_files target out_var)
  get_target_property(sources ${target} SOURCES)
  get_target_property(source_dir ${target} SOURCE_DIR)
  set(candidates)
  foreach(source IN LISTS sources)
    if(source MATCHES "\\$<" OR NOT source MATCHES "\\.(cpp|cc|cxx|h|hpp|hxx)$")
      continue()
    endif()
    cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY "${source_dir}" NORMALIZE OUTPUT_VARIABLE path)
    list(APPEND candidates "${path}")
    if(path MATCHES "\\.(cpp|cc|cxx)$")
      cmake_path(REPLACE_EXTENSION path LAST_ONLY ".h" OUTPUT_VARIABLE header)
      list(APPEND candidates "${header}")
    endif()
  endforeach()
  set(found)
  foreach(file IN LISTS candidates)
    if(EXISTS "${file}")
      file(STRINGS "${file}" declarations REGEX "^[ \t]*Q_(OBJECT|GADGET|NAMESPACE)(_EXPORT)?[ \t]*(\\(|$)")
      if(declarations)
        list(APPEND found "${file}")
      endif()
    endif()
  endforeach()
  set(${out_var} "${found}" PARENT_SCOPE)
endfunction()

# Every compiled target under `directory` and its subdirectories.
function(_ferolune_targets_under directory out_var)
  get_property(targets DIRECTORY "${directory}" PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirectories DIRECTORY "${directory}" PROPERTY SUBDIRECTORIES)
  foreach(subdirectory IN LISTS subdirectories)
    _ferolune_targets_under("${subdirectory}" more)
    list(APPEND targets ${more})
  endforeach()
  set(${out_var} "${targets}" PARENT_SCOPE)
endfunction()

# Fails when a target declares a QObject without ferolune_uses_moc (its build would fail
# later at the link, on a missing vtable), and warns when one has moc for nothing.
function(ferolune_check_moc)
  _ferolune_targets_under("${PROJECT_SOURCE_DIR}" targets)
  set(missing)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(NOT type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY)$")
      continue()
    endif()
    _ferolune_moc_files(${target} files)
    get_target_property(automoc ${target} AUTOMOC)
    if(files AND NOT automoc)
      list(JOIN files "\n    " file_list)
      string(APPEND missing "  ${target}, for\n    ${file_list}\n")
    elseif(automoc AND NOT files)
      message(WARNING "${target} runs moc but none of its files declares Q_OBJECT, Q_GADGET or "
                      "Q_NAMESPACE: drop its ferolune_uses_moc(${target}) (cmake/FeroluneMoc.cmake)")
    endif()
  endforeach()
  if(missing)
    message(FATAL_ERROR "These targets declare a QObject (Q_OBJECT, Q_GADGET or Q_NAMESPACE) but do "
                        "not run moc:\n${missing}Add ferolune_uses_moc(<target>) beside each one's "
                        "add_library or add_executable (cmake/FeroluneMoc.cmake).")
  endif()
endfunction()
