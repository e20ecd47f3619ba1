# quill_check_standin_names(DIR): generates a source file that includes the
# system's headers and asserts that every constant, record field, call and
# interface method declared in DIR/standin_*.h has the same value or type
# there, and compiles it into an object library (win32 build only).
function(quill_check_standin_names dir)
  file(GLOB headers CONFIGURE_DEPENDS ${dir}/standin_gdi.h ${dir}/standin_kernel.h
       ${dir}/standin_ole.h ${dir}/standin_types.h ${dir}/standin_user.h)
  set(body "")
  foreach(header ${headers})
    file(STRINGS ${header} lines)
    set(record "")
    set(interface "")
    set(previous "")
    foreach(line IN LISTS lines)
      if(line MATCHES "^constexpr [A-Za-z_]+ ([A-Z][A-Z0-9_]*) = (.+);")
        string(APPEND body "static_assert((${CMAKE_MATCH_1}) == (${CMAKE_MATCH_2}), \"${CMAKE_MATCH_1}\");\n")
      elseif(line MATCHES "^struct ([A-Z][A-Z0-9_]*) {$")
        set(record ${CMAKE_MATCH_1})
        set(previous "")
      elseif(line MATCHES "^struct (I[A-Za-z]+)( : public (I[A-Za-z]+))? {$")
        set(interface ${CMAKE_MATCH_1})
        if(CMAKE_MATCH_3)
          string(APPEND body "static_assert(std::is_base_of<${CMAKE_MATCH_3}, ${interface}>::value, \"${interface} base\");\n")
        endif()
      elseif(interface AND line MATCHES "^    virtual ([A-Za-z_][A-Za-z0-9_ *]*) STDMETHODCALLTYPE ([A-Za-z]+)\\((.*)\\) = 0;$")
        # A cast to the exact member type compiles only if such a method exists.
        set(type "${CMAKE_MATCH_1} (STDMETHODCALLTYPE ${interface}::*)(${CMAKE_MATCH_3})")
        string(APPEND body "static_assert(std::is_same<decltype(static_cast<${type}>(&${interface}::${CMAKE_MATCH_2})), ${type}>::value, \"${interface}::${CMAKE_MATCH_2}\");\n")
      elseif(line MATCHES "^};$")
        set(record "")
        set(interface "")
      elseif(record AND line MATCHES "^    ([A-Za-z_][A-Za-z0-9_ *]*[A-Za-z0-9_*]) ([a-z][A-Za-z0-9]*)(\\[[A-Z_0-9]+\\])?;$")
        set(type "${CMAKE_MATCH_1}${CMAKE_MATCH_3}")
        set(field ${CMAKE_MATCH_2})
        string(APPEND body "static_assert(std::is_same<decltype(${record}::${field}), ${type}>::value, \"${record}::${field}\");\n")
        if(previous)
          string(APPEND body "static_assert(offsetof(${record}, ${previous}) < offsetof(${record}, ${field}), \"${record}::${field} order\");\n")
        endif()
        set(previous ${field})
      elseif(line MATCHES "^([A-Za-z_][A-Za-z0-9_ *]*) WINAPI ([A-Za-z0-9_]+)\\((.*)\\);$")
        string(APPEND body "static_assert(std::is_same<decltype(&::${CMAKE_MATCH_2}), ${CMAKE_MATCH_1} (WINAPI*)(${CMAKE_MATCH_3})>::value, \"${CMAKE_MATCH_2}\");\n")
      endif()
    endforeach()
  endforeach()
  set(out ${CMAKE_CURRENT_BINARY_DIR}/standin_name_check.cpp)
  file(CONFIGURE OUTPUT ${out} CONTENT "// Generated from the stand-in's headers.
#include <windows.h>
#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstddef>
#include <type_traits>

static_assert(RGB(1, 2, 3) == 0x030201, \"RGB\");
static_assert(GetRValue(0x030201) == 1 && GetGValue(0x030201) == 2 && GetBValue(0x030201) == 3, \"GetRValue\");
static_assert(sizeof(WCHAR) == 2, \"WCHAR\");
static_assert(sizeof(GUID) == 16 && offsetof(GUID, Data4) == 8, \"GUID\");
static_assert(std::is_same<decltype(STGMEDIUM::hGlobal), HGLOBAL>::value, \"STGMEDIUM::hGlobal\");
static_assert(std::is_same<HCURSOR, HICON>::value && std::is_same<ATOM, WORD>::value, \"HCURSOR\");
@body@" @ONLY)
  # Part of the default build, so a mismatch fails the win32 build.
  add_library(standin_name_check OBJECT ${out})
endfunction()
