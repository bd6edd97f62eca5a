# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the player's manual from its template with the game's own figures: the pay table and each payout
# setting's return at each number of lines, all read from `zem-math report --json`.
# cmake -DZEM_MATH=<zem-math> -DTEMPLATE=<manual.html.in> -DOUTPUT=<manual.html> -DPROJECT_VERSION=<v> -P manual.cmake
cmake_minimum_required(VERSION 3.25)

# The payout settings as the options window names them.
set(setting_5 "Realistic")
set(setting_2 "Loose")
set(setting_1 "Orvelle Machine !!")
set(line_counts 1 5 10 15 25)

function(report lines out_var)
    execute_process(COMMAND ${ZEM_MATH} report --json --lines ${lines} OUTPUT_VARIABLE json
                    RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "zem-math report --lines ${lines} failed: ${status}")
    endif()
    set(${out_var} "${json}" PARENT_SCOPE)
endfunction()

# A share such as 0.96123456 as a percentage with two decimals ("96.12 %"), rounded half up, in integers.
function(percent share out_var)
    if(NOT share MATCHES "^([0-9]+)\\.([0-9]+)$")
        message(FATAL_ERROR "not a share: ${share}")
    endif()
    set(whole ${CMAKE_MATCH_1})
    string(SUBSTRING "${CMAKE_MATCH_2}000000" 0 6 fraction)  # millionths, with their leading zeros
    math(EXPR hundredths "(${whole} * 1000000 + 1${fraction} - 1000000 + 50) / 100")  # of a per cent
    math(EXPR units "${hundredths} / 100")
    math(EXPR rest "${hundredths} % 100")
    if(rest LESS 10)
        set(rest "0${rest}")
    endif()
    set(${out_var} "${units}.${rest} %" PARENT_SCOPE)
endfunction()

report(25 json)

# The line pays, one row per paying symbol; a run that pays nothing shows a dash.
set(ZEM_PAY_ROWS "")
string(JSON symbols LENGTH "${json}" paytable line)
math(EXPR last "${symbols} - 1")
foreach(i RANGE ${last})
    string(JSON name GET "${json}" paytable line ${i} symbol)
    set(row "    <tr><td>${name}</td>")
    foreach(run RANGE 3)
        string(JSON pay GET "${json}" paytable line ${i} pays ${run})
        if(pay EQUAL 0)
            set(pay "&ndash;")
        endif()
        string(APPEND row "<td>${pay}</td>")
    endforeach()
    string(APPEND ZEM_PAY_ROWS "${row}</tr>\n")
endforeach()

set(ZEM_SCATTER_ROWS "")
foreach(k RANGE 3)
    string(JSON factor GET "${json}" paytable scatter ${k})
    math(EXPR scatters "${k} + 2")
    string(APPEND ZEM_SCATTER_ROWS "    <tr><td>${scatters}</td><td>${factor}</td></tr>\n")
endforeach()

# The returns: one row per payout setting, one column per number of lines.
set(ZEM_RETURN_HEAD "")
foreach(lines IN LISTS line_counts)
    report(${lines} json_${lines})
    if(lines EQUAL 1)
        string(APPEND ZEM_RETURN_HEAD "<th>1 line</th>")
    else()
        string(APPEND ZEM_RETURN_HEAD "<th>${lines} lines</th>")
    endif()
endforeach()
set(ZEM_RETURN_ROWS "")
string(JSON settings LENGTH "${json}" settings)
math(EXPR last "${settings} - 1")
foreach(i RANGE ${last})
    string(JSON payout GET "${json}" settings ${i} payout)
    if(NOT DEFINED setting_${payout})
        message(FATAL_ERROR "payout setting ${payout} has no name in the manual")
    endif()
    set(row "    <tr><td>${setting_${payout}}</td>")
    foreach(lines IN LISTS line_counts)
        string(JSON rtp GET "${json_${lines}}" settings ${i} rtp)
        percent(${rtp} shown)
        string(APPEND row "<td>${shown}</td>")
    endforeach()
    string(APPEND ZEM_RETURN_ROWS "${row}</tr>\n")
endforeach()

foreach(rows ZEM_PAY_ROWS ZEM_SCATTER_ROWS ZEM_RETURN_ROWS)
    string(REGEX REPLACE "\n$" "" ${rows} "${${rows}}")
endforeach()
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
