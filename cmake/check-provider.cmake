# The configure step's checks of a provider's values, without a build:
#   cmake -DNAME=... -DSERVER=... -DSITE=... [-DCOMPANY=...] [-DLOGO=... [-DBACKGROUND=...]]
#         [-DTUNNEL=... [-DPSK_FILE=...]] [-DBANNER_DIR=...] -P cmake/check-provider.cmake
# Exits non-zero with the rule broken; the banner is made in BANNER_DIR (default: a folder
# under the system's temporary one).
include(${CMAKE_CURRENT_LIST_DIR}/provider.cmake)
foreach(optional COMPANY LOGO BACKGROUND PSK_FILE)
  if(NOT DEFINED ${optional})
    set(${optional} "")
  endif()
endforeach()
if(COMPANY STREQUAL "")
  set(COMPANY ${DIALWRIGHT_DEFAULT_COMPANY})
endif()
if(NOT DEFINED TUNNEL OR TUNNEL STREQUAL "")
  set(TUNNEL pptp-first)
endif()
if(NOT DEFINED BANNER_DIR)
  string(RANDOM LENGTH 12 random)
  set(BANNER_DIR /tmp/dialwright-banner-${random})
endif()
dialwright_check_provider_values(company copyright key "${NAME}" "${SERVER}" "${SITE}" "${COMPANY}"
  "${TUNNEL}" "${PSK_FILE}")
dialwright_provider_banner(banner "${NAME}" "${LOGO}" "${BACKGROUND}" "${BANNER_DIR}")
message("${banner}")
