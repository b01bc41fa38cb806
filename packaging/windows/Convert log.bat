@echo off
REM Converts a Tarnwick log into a Corvane import file of the same name with .asc, and an ADIF file
REM for any other logger with .adi, beside the log.
REM Drop the log (.dbf) on this file in Explorer, or double-click this file and give the log's path.
REM
REM Paths stay in quotes everywhere, and messages that show a path are reached by goto rather than
REM put inside if (...) blocks: a bracket in a folder's name would end such a block early. (Wine's
REM cmd, which the tests run this under, even takes a bracket after a plain if for a block.)
setlocal EnableExtensions DisableDelayedExpansion

set "log="
if "%~1"=="" goto programs
if not "%~2"=="" goto many_logs
REM The full path is taken before the folder changes below, so that a name relative to the folder
REM the window was started in still finds the log.
set "log=%~f1"

:programs
REM Explorer starts a dropped-on file in the user's folder or in System32; the programs read
REM dxcc.txt from the current folder, so work in this file's own folder. pushd, unlike cd, also
REM copes with a network folder (\\server\share), for which it lends a drive letter until popd.
pushd "%~dp0"
if not exist "tarnwick2corvane.exe" goto incomplete
if not exist "tarnwick2corvane-check.exe" goto incomplete
if not exist "tarnwick2adif.exe" goto incomplete
if not exist "dxcc.txt" goto incomplete
if defined log goto have_log

echo Drag the Tarnwick log (.dbf) into this window, or type its full path, then press Enter.
REM At the end of the input set /p returns with log unset, so nothing waits for ever.
set /p "log=Log: "
if not defined log goto no_log_given
REM A path dragged into the window comes in quotes when it holds a blank; they are no part of it.
set "log=%log:"=%"
:trim
if not defined log goto no_log_given
if "%log:~-1%"==" " set "log=%log:~0,-1%" & goto trim
if "%log:~0,1%"==" " set "log=%log:~1%" & goto trim

:have_log
REM No file's name holds * or ?, and the for below would take them for a pattern of names.
if not "%log:?=%"=="%log%" goto not_found
if not "%log:**=%"=="%log%" goto not_found
for %%I in ("%log%") do set "log=%%~fI"
if not exist "%log%" goto not_found
REM One for per variable: Wine's cmd runs only the first command of "do a & b" in the loop. The
REM trailing - keeps the attributes defined when the name does not exist.
for %%I in ("%log%") do set "log_attributes=%%~aI-"
for %%I in ("%log%") do set "out=%%~dpnI.asc"
for %%I in ("%log%") do set "adi=%%~dpnI.adi"
for %%I in ("%log%") do set "report=%%~dpnI - check.txt"
for %%I in ("%log%") do set "report_name=%%~nI - check.txt"
if "%log_attributes:~0,1%"=="d" goto log_is_folder
if /i "%log%"=="%out%" goto log_is_import_file
for %%I in ("%out%") do set "out_attributes=%%~aI-"
if "%out_attributes:~0,1%"=="d" goto out_is_folder
for %%I in ("%adi%") do set "adi_attributes=%%~aI-"
if "%adi_attributes:~0,1%"=="d" goto adi_is_folder

echo.
echo Checking "%log%" against dxcc.txt:
REM Run once, into the report beside the log, for its words and its exit code alike: 0 nothing to
REM report, 4 contacts the conversion leaves out or changes (a prefix of another country, a
REM callsign that names another, too), 6 fields the converter would read from the wrong place;
REM any other, the check could not read the log or dxcc.txt.
.\tarnwick2corvane-check.exe "%log%" >"%report%" 2>&1
set "check_code=%errorlevel%"
type "%report%"
if "%check_code%"=="0" goto forecast
if "%check_code%"=="4" goto forecast
if "%check_code%"=="6" goto forecast
del "%report%"
goto check_failed

:forecast
REM The check's first line is its forecast, in a fixed form whose words 8 and 10 are the numbers of
REM records rejected and deleted: "40 records: 38 contacts will be converted, 1 rejected, 1 deleted; ...".
set "forecast="
set /p "forecast=" <"%report%"
set "rejected=0"
set "deleted=0"
for /f "tokens=8" %%N in ("%forecast%") do set "rejected=%%N"
for /f "tokens=10" %%N in ("%forecast%") do set "deleted=%%N"
if "%check_code%"=="4" goto check_found
if "%check_code%"=="6" goto layout_differs
REM Nothing to report, so no report is kept.
del "%report%"
set "report="
goto ask

:check_found
echo.
echo The check's list above is kept in "%report%".
goto ask

:layout_differs
echo.
echo The log keeps fields where the converter does not read them (see the field layout above):
echo converted, their texts would land in the wrong fields of the import file. README.TXT explains it.
REM Anything but an answer starting with Y, also no answer at the end of the input, converts nothing.
set "answer=?"
set /p "answer=Convert anyway? (Y/N) "
set "answer=%answer:"=%?"
if /i "%answer:~0,1%"=="y" goto ask
echo.
echo Nothing was converted. The check's list above is kept in "%report%".
goto end

:ask
REM One question for the files there already, one or both.
set "them=it"
if exist "%out%" goto ask_asc
if exist "%adi%" goto ask_adi
goto convert

:ask_asc
echo.
echo "%out%" exists already.
if not exist "%adi%" goto ask_answer
set "them=them"
echo "%adi%" exists already.
goto ask_answer

:ask_adi
echo.
echo "%adi%" exists already.

:ask_answer
REM Anything but an answer starting with Y, also no answer at the end of the input, keeps them.
set "answer=?"
set /p "answer=Replace %them%? Type Y and press Enter to replace %them%, or just press Enter to keep %them%: "
set "answer=%answer:"=%?"
if /i "%answer:~0,1%"=="y" goto convert
echo.
echo Nothing was converted: the files above are kept as they were.
goto end

:convert
echo.
echo Converting "%log%" into "%out%":
REM Its words are kept a moment, to be shown and to take the number of contacts from.
set "capture=%TEMP%\tarnwick2corvane-%RANDOM%.txt"
.\tarnwick2corvane.exe "%log%" "%out%" >"%capture%" 2>&1
set "code=%errorlevel%"
call :read_capture
set "converted=%written%"
echo.
if "%code%"=="0" goto write_adif
REM A run that fails before it starts converting keeps an import file that was there as it was; one
REM that fails later leaves it cut short, and importing that would lose contacts without a word.
if defined started del "%out%"
set "made=%out%"
set "what=import file"
goto failed

:write_adif
echo Writing "%log%" as ADIF into "%adi%":
.\tarnwick2adif.exe "%log%" "%adi%" >"%capture%" 2>&1
set "code=%errorlevel%"
call :read_capture
echo.
if "%code%"=="0" goto converted
if defined started del "%adi%"
set "made=%adi%"
set "what=ADIF file"
echo Only the import file for Corvane was made: "%out%", with %converted% contacts.

:failed
if "%code%"=="1" goto unreadable
if "%code%"=="2" goto unwritable
if "%code%"=="5" goto out_of_memory
echo The program stopped unexpectedly, with exit code %code%.
goto end

:read_capture
REM Shows what the program printed, then takes from it whether it started writing and how many
REM contacts it wrote.
type "%capture%"
set "started="
set "written=0"
for /f "usebackq tokens=1,2 delims=	" %%A in ("%capture%") do if "%%A"=="Converted records:" set "written=%%B"
for /f "usebackq delims=" %%L in ("%capture%") do if "%%L"=="*** Conversion in progress..." set "started=yes"
del "%capture%"
goto :eof

:converted
set "contacts=%converted% contacts"
if "%converted%"=="1" set "contacts=1 contact"
set "adif_contacts=%written% contacts"
if "%written%"=="1" set "adif_contacts=1 contact"
set "left_out="
set "rejected_words=%rejected% records were rejected"
if "%rejected%"=="1" set "rejected_words=1 record was rejected"
set "deleted_words=%deleted% deleted records skipped"
if "%deleted%"=="1" set "deleted_words=1 deleted record skipped"
if not "%rejected%"=="0" set "left_out=%rejected_words%"
if not "%deleted%"=="0" if defined left_out set "left_out=%left_out% and %deleted_words%"
if not "%deleted%"=="0" if not defined left_out set "left_out=%deleted_words%"
if not defined left_out if defined report set "left_out=The check found more to look at"
if not defined left_out set "left_out=Nothing was left out"
REM What only the ADIF file leaves out, its reports above tell.
set /a "adif_left_out=converted - written"
set "adif_words="
if not "%adif_left_out%"=="0" set "adif_words= The ADIF file leaves out %adif_left_out% more, as its reports above say."
set "ready=The files are ready: "%out%", %contacts%, and "%adi%", %adif_contacts%."
if defined report goto converted_see_report
echo %ready% %left_out%.%adif_words% Import the .asc in Corvane, or the .adi in any other logger.
goto end

:converted_see_report
echo %ready% %left_out%: see "%report_name%".%adif_words%
goto end

:unreadable
echo The log or dxcc.txt could not be read, as the message above says.
goto not_made

:unwritable
echo The file could not be written, as the message above says: the disk may be full or the folder read-only.
goto not_made

:out_of_memory
echo The computer ran out of memory while converting.
goto not_made

:not_made
if defined started goto none_made
if exist "%made%" goto made_kept
goto end

:none_made
echo No %what% was made.
goto end

:made_kept
echo "%made%" is kept as it was.
goto end

:check_failed
echo The check stopped with the message above, so the log was not converted. README.TXT explains the message.
goto end

:many_logs
echo Drop one log at a time on "%~nx0".
goto end

:incomplete
echo "%~nx0" needs tarnwick2corvane.exe, tarnwick2corvane-check.exe, tarnwick2adif.exe and dxcc.txt beside it, in "%~dp0". Unzip the whole download again and keep them together.
goto end

:no_log_given
echo No log was given. Drop the Tarnwick log (.dbf) on "%~nx0", or double-click it and give the log's path.
goto end

:not_found
echo There is no file "%log%". Drop the Tarnwick log (.dbf) on "%~nx0", or double-click it and give the log's path.
goto end

:log_is_folder
echo "%log%" is a folder. Drop the Tarnwick log (.dbf) itself on "%~nx0".
goto end

:log_is_import_file
echo "%log%" is an import file already. Drop the Tarnwick log (.dbf) on "%~nx0".
goto end

:out_is_folder
echo The import file would be "%out%", but that is a folder: rename it, and convert again.
goto end

:adi_is_folder
echo The ADIF file would be "%adi%", but that is a folder: rename it, and convert again.
goto end

:end
echo.
REM Keeps the window open until it has been read; at the end of the input, pause returns.
pause
popd
