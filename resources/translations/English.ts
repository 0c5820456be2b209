<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="en">
<context>
    <name>CAnalyzeTraces</name>
    <message>
        <source>Analyze trace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Analysing traces...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Analysing %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These traces were not analysed:
%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CApplicationStart</name>
    <message>
        <source>A viewer, editor and instrument front end for OTDR traces (Bellcore .sor files).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Looks for the instrument on PATH too, after the serial ports the system lists (repeatable).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PATH</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trace files to open, or the working folder. The files&apos; folder becomes the working folder and the first file the current trace; without paths the folder used last opens.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>[FILE|FOLDER...]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: not in the folder %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: not listed as a trace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Opening files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These were not opened:
%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CBidirectionalPair</name>
    <message>
        <source>A trace cannot be paired with itself.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The wavelengths differ: %1 nm (A→B) and %2 nm (B→A).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The group indices differ by more than %1: %2 (A→B) and %3 (B→A).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A→B</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>B→A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 trace has no events: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 trace has no fibre end.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The lengths to the fibre end differ by more than %1 m: %2 m (A→B) and %3 m (B→A).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CBidirectionalPanel</name>
    <message>
        <source>Swap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Swap the directions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The name endings of the two directions, separated by a space</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Report PDF…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Proposed pair:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Suffixes:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A→B:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>B→A:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bidirectional analysis</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Average the events of two traces of one fibre measured from both ends</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No pair proposed in this folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the A→B and the B→A trace of one fibre.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not a pair: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export the pair&apos;s report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The report could not be written to %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (A→B) with %2 (B→A) mirrored; events closer than %3 are one event.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CBidirectionalReport</name>
    <message>
        <source>&lt;table width=100%&gt;&lt;tr&gt;&lt;td align=&quot;left&quot;&gt;%1&lt;/td&gt;&lt;td align=&quot;right&quot;&gt;Bidirectional analysis&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;hr&gt;&lt;table&gt;&lt;tr&gt;&lt;td width=18%&gt;A→B:&lt;/td&gt;&lt;td&gt;&lt;font color=&quot;%2&quot;&gt;&amp;#9632;&lt;/font&gt; %3&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;B→A:&lt;/td&gt;&lt;td&gt;&lt;font color=&quot;%4&quot;&gt;&amp;#9632;&lt;/font&gt; %5 (mirrored)&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;Cable:&lt;/td&gt;&lt;td&gt;%6&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;Fiber:&lt;/td&gt;&lt;td&gt;%7&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;From A to B:&lt;/td&gt;&lt;td&gt;%8 → %9&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;Wavelength:&lt;/td&gt;&lt;td&gt;%10nm&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;Pulse width:&lt;/td&gt;&lt;td&gt;%11ns (A→B), %12ns (B→A)&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;hr&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The page could not be drawn.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CBidirectionalTable</name>
    <message>
        <source>Event %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loss A→B [dB]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loss B→A [dB]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Average loss [dB]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reflectance [dB]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Note</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fibre end (A→B)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Seen from A→B only: half its loss</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Seen from B→A only: half its loss</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loss measured from one end</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A→B</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>B→A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Average</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Total loss [dB]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ORL [dB]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Distance [%1]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fibre end [%1]</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CChecksumConvention</name>
    <message>
        <source>absent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CRC-16/CCITT-FALSE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>zero, not computed by the instrument</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CRC-16/XMODEM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CRC-16/CCITT-FALSE before the checksum block</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CRC-16/CCITT-FALSE over the whole file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CRC-16/CCITT-FALSE inverted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>does not match</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CCompactImage</name>
    <message>
        <source>the trace is no longer the one of this step; reload the file</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CCompareLegend</name>
    <message>
        <source>%1, %2 nm</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CCsvExportActions</name>
    <message>
        <source>&amp;Events as CSV…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Trace as CSV…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the events of the current trace as a table for a spreadsheet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the distance and level of every sample of the current trace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export events as CSV</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export trace as CSV</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The table could not be written to %1:
%2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CCursors</name>
    <message>
        <source>A fit interval holds fewer than two samples: move the cursors apart to measure</source>
        <translation type="unfinished">A fit interval holds fewer than two samples: move the cursors apart to measure</translation>
    </message>
    <message>
        <source>A fit interval lies below the noise floor of the file (%1 dB): move it onto the trace to measure</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The trace scatters about a fit line by %1 dB, more than the %2 dB step it measures: measure where the trace stands clear of the noise</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CDateFormat</name>
    <message>
        <source>dd/MM/yyyy HH:mm:ss</source>
        <comment>Date and time format of the interface language</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>dd/MM/yyyy HH:mm</source>
        <comment>Date and time format of the interface language</comment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CDevice</name>
    <message>
        <source>Device properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Model</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>№</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sw version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Параметры измерения</source>
        <translation>Measurement settings</translation>
    </message>
    <message>
        <source>Длина волны</source>
        <translation>Wavelenght</translation>
    </message>
    <message>
        <source>нм</source>
        <translation>nm</translation>
    </message>
    <message>
        <source>Длит. импульса</source>
        <translation>Pulsewidth</translation>
    </message>
    <message>
        <source>нс</source>
        <translation>ns</translation>
    </message>
    <message>
        <source>Время усреднения</source>
        <translation>Average</translation>
    </message>
    <message>
        <source>с</source>
        <translation>s</translation>
    </message>
    <message>
        <source>Диапазон</source>
        <translation>Range</translation>
    </message>
    <message>
        <source>км</source>
        <translation>km</translation>
    </message>
    <message>
        <source>Коэф. преломления</source>
        <translation>Index</translation>
    </message>
    <message>
        <source>Коэф. обр.рассеяния</source>
        <translation>Backscatter coeff.</translation>
    </message>
    <message>
        <source>Дб</source>
        <translation>dB</translation>
    </message>
    <message>
        <source>Apply and start measure</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clearing device memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid parameter GI</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parameter GI is invalid value %1. Enter real number between %2 and %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device communicates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Devices not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete files on the device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The instrument on port %1 does not answer.
Check that it is switched on and that its cable is plugged in, then connect again.

%2</source>
        <translation>The instrument on port %1 does not answer.
Check that it is switched on and that its cable is plugged in, then connect again.

%2</translation>
    </message>
    <message>
        <source>Delete all traces on the instrument?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the instrument</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No instrument and no serial port were found.
Install the driver of the instrument&apos;s USB adapter (FTDI), then check the cable and that the instrument is switched on.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CDeviceExchangeDlg</name>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%v/%m sec</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waiting for the instrument…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CDeviceExchanger</name>
    <message>
        <source>Connected device isn&apos;t the requested  device (port %1). Please, re-connect the device.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot create temporary file. Check empty space of %1 bytes on system disk.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write temporary file:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device&apos;s file is invalid:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file from the instrument is invalid.
The instrument is probably not a compatible one.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No identification was received from the instrument on port %1.
The instrument is probably not a compatible one, or it is not connected.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The identification received from port %1 is not valid.
The instrument is probably not a compatible one.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot connect to port %1.
The port is probably in use by another application.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The instrument did not accept the measurement request.
The instrument is probably not a compatible one.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The instrument reported an impossible number of files.
The instrument is probably not a compatible one.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CDistanceUnit</name>
    <message>
        <source>m</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ft</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>kft</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mi</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>km</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Metres (m)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Feet (ft)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kilofeet (kft)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Miles (mi)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kilometres (km)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CDocumentHistory</name>
    <message>
        <source>Add event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event comment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace event</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CEntryGuard</name>
    <message>
        <source>Operation failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The operation could not be completed; the trace stays as it was.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CEventList</name>
    <message>
        <source>Event %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loss [dB]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reflectance [dB]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attenuation coeff. [dB/km]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Total loss [dB]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This trace carries no events.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Analyze trace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Distance [%1]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Length [%1]</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CFileInfo</name>
    <message>
        <source>CDF_BuiltCondition</source>
        <translation>As built (BC)</translation>
    </message>
    <message>
        <source>CDF_CCondidion</source>
        <translation>Current condition (CC)</translation>
    </message>
    <message>
        <source>CDF_RepairedCondition</source>
        <translation>As repaired (RC)</translation>
    </message>
    <message>
        <source>CDF_Other</source>
        <translation>Other (OT)</translation>
    </message>
    <message>
        <source>Information [%1]</source>
        <translation>Information [%1]</translation>
    </message>
    <message>
        <source>Описание</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Описание tooltip</source>
        <translation>Cable, fibre, route, operator and comment</translation>
    </message>
    <message>
        <source>Дата/время</source>
        <translation>Date/time</translation>
    </message>
    <message>
        <source>Кабель</source>
        <translation>Cable</translation>
    </message>
    <message>
        <source>Волокно</source>
        <translation>Fibre</translation>
    </message>
    <message>
        <source>Начало линии</source>
        <translation>Start of line</translation>
    </message>
    <message>
        <source>Конец линии</source>
        <translation>End of line</translation>
    </message>
    <message>
        <source>Условие</source>
        <translation>Condition</translation>
    </message>
    <message>
        <source>Код кабеля</source>
        <translation>Cable code</translation>
    </message>
    <message>
        <source>Оператор</source>
        <translation>Operator</translation>
    </message>
    <message>
        <source>Комментарий</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>Прибор</source>
        <translation>Instrument</translation>
    </message>
    <message>
        <source>Прибор tooltip</source>
        <translation>The instrument that took the trace</translation>
    </message>
    <message>
        <source>Изготовитель</source>
        <translation>Manufacturer</translation>
    </message>
    <message>
        <source>Тип прибора</source>
        <translation>Instrument type</translation>
    </message>
    <message>
        <source>Номер прибора</source>
        <translation>Instrument number</translation>
    </message>
    <message>
        <source>Версия ПО</source>
        <translation>Software version</translation>
    </message>
    <message>
        <source>Прочее</source>
        <translation>Other</translation>
    </message>
    <message>
        <source>Анализ</source>
        <translation>Analysis</translation>
    </message>
    <message>
        <source>Анализ tooltip</source>
        <translation>Thresholds of the event analysis</translation>
    </message>
    <message>
        <source>Коэффициент обратного рассеяния</source>
        <translation>Backscatter coefficient</translation>
    </message>
    <message>
        <source>дБ</source>
        <translation>dB</translation>
    </message>
    <message>
        <source>Затухание в соединении</source>
        <translation>Splice loss</translation>
    </message>
    <message>
        <source>Коэффициент отражения</source>
        <translation>Reflectance</translation>
    </message>
    <message>
        <source>Конец</source>
        <translation>End of fibre</translation>
    </message>
    <message>
        <source>Измерение</source>
        <translation>Measurement</translation>
    </message>
    <message>
        <source>Измерение tooltip</source>
        <translation>Settings of the measurement</translation>
    </message>
    <message>
        <source>Точная длина волны</source>
        <translation>Exact wavelength</translation>
    </message>
    <message>
        <source>нм</source>
        <translation>nm</translation>
    </message>
    <message>
        <source>Показатель преломления</source>
        <translation>Refractive index</translation>
    </message>
    <message>
        <source>Диапазон расстояний</source>
        <translation>Distance range</translation>
    </message>
    <message>
        <source>ns</source>
        <translation>ns</translation>
    </message>
    <message>
        <source>км</source>
        <translation>km</translation>
    </message>
    <message>
        <source>Разрешение</source>
        <translation>Resolution</translation>
    </message>
    <message>
        <source>м</source>
        <translation>m</translation>
    </message>
    <message>
        <source>Длительность зондирующего импульса</source>
        <translation>Probe pulse width</translation>
    </message>
    <message>
        <source>нс</source>
        <translation>ns</translation>
    </message>
    <message>
        <source>Число усреднений рефлектограммы</source>
        <translation>Number of averages</translation>
    </message>
    <message>
        <source>Check GI</source>
        <translation>Check GI</translation>
    </message>
    <message>
        <source>&lt;=Check</source>
        <translation>&lt;=Check</translation>
    </message>
    <message>
        <source>Editing File Information</source>
        <translation>Editing File Information</translation>
    </message>
    <message>
        <source>Not all fields completed correctly</source>
        <translation>Not all fields completed correctly</translation>
    </message>
    <message>
        <source>Code &quot;%1&quot; of the file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Optical module</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Optical module number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Code page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Checksum</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>absent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>does not match (the trace loaded whole)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>matches (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set the length...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set the length</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file stores no range: the trace&apos;s extent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Known distance of the span&apos;s end from the trace start [%1]:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CFileList</name>
    <message>
        <source>Bellcore v1.0 files (*.sor);;All files (*.*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add to compare</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maximum number of files for compare is %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copying file %1  issue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot copy a file to itself</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy file &quot;%1&quot; to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select dir to copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add copy from</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Adding file %1 issue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename file &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete file &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This operation will delete file &quot;%1&quot; to Windows trash.
Are you sure?</source>
        <translation>This operation will delete file &quot;%1&quot; to the trash.
Are you sure?</translation>
    </message>
    <message>
        <source>Delete files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This operation will delete %1 selected files to Windows trash.
Are you sure?</source>
        <translation>This operation will delete %1 selected files to the trash.
Are you sure?</translation>
    </message>
    <message>
        <source>File &quot;%1&quot; cannot be moved to the trash, so it was not deleted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot select directory &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file stays listed as it was loaded before.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loading file &quot;%1&quot;</source>
        <translation>Loading file &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Copying file &quot;%1&quot;</source>
        <translation>Copying file &quot;%1&quot;</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has unsaved changes and is about to be replaced. Save the changes first?</source>
        <translation>&quot;%1&quot; has unsaved changes and is about to be replaced. Save the changes first?</translation>
    </message>
    <message>
        <source>Closing files</source>
        <translation>Closing files</translation>
    </message>
    <message>
        <source>These files could not be saved and stay open with their changes:
%1</source>
        <translation>These files could not be saved and stay open with their changes:
%1</translation>
    </message>
    <message>
        <source>File &quot;%1&quot; already exists.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; cannot be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The checksum matches none of the conventions instruments use; the trace loaded whole.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file has no checksum; the trace loaded whole.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The code page of the file is missing on this system; its texts are read as %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot reload &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error reloading &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot load &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error loading &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot save &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error saving &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot copy &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error copying &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot add &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file %1 could not be copied to %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A file name cannot contain any of these characters: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot rename &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error renaming &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot delete &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot open the folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file changed or went away on disk while its trace was not in memory: reload it to see the trace.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CFileListElementDelegate</name>
    <message>
        <source>Unreadable: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CFileListElementWidget</name>
    <message>
        <source>%1%2 </source>
        <translation>%1%2 </translation>
    </message>
</context>
<context>
    <name>CFileListWatcher</name>
    <message>
        <source>Working folder was updated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1

The file has been modified outside of program.
 Do you want to reload it and lose the changes you made?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1

The file has been modified outside of program.
Do you want to reload it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1

The file has removed outside of program.
Do you want to remove it from file list and lose the changes you made?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1

The file has removed outside of program.
Do you want to remove it from file list?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New files appeared in the current folder.
Do you want to update the file list?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CGraphDlg</name>
    <message>
        <source>Form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pulse width</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ns </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>m </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group Idx</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>dB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Left marker</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Right marker</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Measurement</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Distance L-R</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loss L-R</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Position</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reflectance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attenuation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wavelength</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Averages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Range</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Att. coeff.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>dB/km</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CGraphPix</name>
    <message>
        <source>%1km %2dB</source>
        <comment>Tooltip moving marker</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No traces in this folder.

Open a folder of traces with File &gt; Change folder (Ctrl+O),
or connect the instrument and download its traces with OTDR &gt; Load all.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CGraphWidget</name>
    <message>
        <source>%1=%2ns</source>
        <translation>%1=%2ns</translation>
    </message>
    <message>
        <source>%1=%2nm</source>
        <translation>%1=%2nm</translation>
    </message>
    <message>
        <source>k=%1</source>
        <translation>k=%1</translation>
    </message>
    <message>
        <source>L=%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CHelpWindow</name>
    <message>
        <source>Lumetrix Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forward</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Contents</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CLimitSets</name>
    <message>
        <source>no limit set is named &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: the file holds %2 limit sets, not one</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: the file is too large for a limit set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: not valid JSON at byte %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: the file holds no JSON object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: the key &quot;%2&quot; is unknown or its value is not valid</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a limit set is not an object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: the name &quot;%2&quot; is given to two sets</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: the name &quot;%2&quot; belongs to a shipped preset</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CLimitsDialog</name>
    <message>
        <source>not used</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pass/fail limits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Limit set:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Span starts at event (without a launch cord):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Span ends at event (without a receive cord):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(traces are not judged)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Importing limit sets</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The limit sets were not imported:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a limit set first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exporting a limit set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import limit sets</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Limit sets (*.json);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export the limit set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> dB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>as the limit set says</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A trace compared with the same fibre at another wavelength fails where the longer wavelength loses this much more than the shorter at one place (a bend)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A bend fails above:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Launch cord [%1]:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Receive cord [%1]:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type the cord length in %1: a number, 0 or more.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CLinkMap</name>
    <message>
        <source>Launch cord</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connector</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Splice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bend</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gainer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Splitter-like loss</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fibre end</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Receive cord</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 at %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loss %1 dB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>More loss at the longer wavelength than at %1 nm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pair by name or fibre IDs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Compare with %1 (%2 nm)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Compare with record %1 of this file (%2 nm)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CListOrder</name>
    <message>
        <source>By &amp;date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>By &amp;wavelength</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>By &amp;length</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>By &amp;name</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CMainOpt</name>
    <message>
        <source>Program options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ask before deleting file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deleted files go to the trash</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable full edit mode for file information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Language changed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>8-bit text in files marked English</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Windows-1251 reads the Cyrillic texts some instruments store under English; Windows-1252 the Western European ones. Files read afterwards use it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trace analysis, where a file sets no threshold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> dB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loss threshold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reflectance threshold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>End-of-fibre threshold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bend threshold between wavelengths</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An event is a bend where its loss at the longer wavelength exceeds the loss at the shorter one by more than this</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connect to the instrument at start-up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete the traces on the instrument once downloaded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recommended: the same traces are then not downloaded twice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Plot background colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restart the program to use the new language.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CPrinter</name>
    <message>
        <source>Export PDF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The report could not be written to %1:
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printing data...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lumetrix - Print preview (press Esc or close the window to leave)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CPrinterList</name>
    <message>
        <source>Print files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>List of files for printing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Note: You can select files for printing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Work area - selected file</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CReportFacts</name>
    <message>
        <source>Location A:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Location B:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>End-to-end loss:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 dB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Optical return loss:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>№%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CReportPage</name>
    <message>
        <source>Lumetrix v.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> OTDR report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The pages could not be drawn.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;table width = 100%&gt;&lt;tr&gt;&lt;td width = 25%&gt;Marker 1&lt;/td&gt;&lt;td width = 25%&gt;Marker 2&lt;/td&gt;&lt;td width = 25%&gt;&amp;nbsp;&lt;/td&gt;&lt;td width = 25%&gt;&amp;nbsp;&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;%1&lt;/td&gt;&lt;td&gt;%2&lt;/td&gt;&lt;td&gt;Distance 1-2&lt;/td&gt;&lt;td&gt;%3&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;%4dB&lt;/td&gt;&lt;td&gt;%5dB&lt;/td&gt;&lt;td&gt;Loss 1-2&lt;/td&gt;&lt;td&gt;%6dB&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;hr/&gt;%7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;font Arial 16&gt;&lt;table width = 100%&gt;&lt;tr&gt;&lt;td align=&quot;left&quot;&gt;%13&lt;/td&gt;&lt;td align = &quot;right&quot;&gt;%14&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;hr&gt;&lt;table&gt;&lt;tr&gt;&lt;td width=15%&gt;File:&lt;/td&gt;&lt;td&gt;%1&lt;/td&gt;&lt;/tr&gt; &lt;tr&gt;&lt;td&gt;Date:&lt;/td&gt;&lt;td&gt;%2&lt;/td&gt;&lt;/tr&gt; &lt;tr&gt;&lt;td&gt;Device:&lt;/td&gt;&lt;td&gt;%3&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;hr /&gt;&lt;table&gt;&lt;tr&gt;&lt;td width=15%&gt;Wavelength:&lt;/td&gt;&lt;td&gt;%4nm&lt;/td&gt;&lt;/tr&gt; &lt;tr&gt;&lt;td&gt;Pulse width:&lt;/td&gt;&lt;td&gt;%5ns&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;Index:&lt;/td&gt;&lt;td&gt;%6&lt;/td&gt;&lt;/tr&gt; &lt;tr&gt;&lt;td&gt;Length:&lt;/td&gt;&lt;td&gt;%7&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;hr /&gt;&lt;table&gt;&lt;tr&gt;&lt;td width=15%&gt;Averages:&lt;/td&gt;&lt;td&gt;%8 &lt;/td&gt;&lt;/tr&gt; &lt;tr&gt;&lt;td&gt;Operator:&lt;/td&gt;&lt;td&gt;%9 &lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;CableId:&lt;/td&gt;&lt;td&gt;%10 &lt;/td&gt;&lt;/tr&gt; &lt;tr&gt;&lt;td&gt;Fiber:&lt;/td&gt;&lt;td&gt;%11&lt;br&gt;&lt;/tr&gt;&lt;/table&gt;&lt;hr /&gt;&lt;table&gt;&lt;tr&gt;&lt;td width=15%&gt;Comment:&lt;/td&gt;&lt;td&gt;%12&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CSaveList</name>
    <message>
        <source>Saving modified files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Some files were changed, but not saved.
Save the following selected files?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Note: You can deselect saving files.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close without saving</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CTracePainter</name>
    <message>
        <source>dB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>dB/km</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CVerdict</name>
    <message>
        <source>the span&apos;s event %1 does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the span is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PASS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WARN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FAIL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>loss</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>reflectance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>attenuation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>span loss</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>span length</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>span ORL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>dB/km</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>dB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>event %1 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>fail below %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>fail above %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>warning below %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>warning above %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>span %1-%2 (%3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>bend</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CVerdictCells</name>
    <message>
        <source>Outside the span: not tested</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1   (limits %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1   (limits %2, %3)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CVerdictHtml</name>
    <message>
        <source>, loss %1 dB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, ORL %1 dB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;hr/&gt;&lt;table width = 100%&gt;&lt;tr&gt;&lt;td width=15%&gt;Limits:&lt;/td&gt;&lt;td&gt;%1&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;Span:&lt;/td&gt;&lt;td&gt;%2&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;Verdict:&lt;/td&gt;%3&lt;/tr&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;tr&gt;&lt;td&gt;Marked:&lt;/td&gt;&lt;td&gt;%1&lt;/td&gt;&lt;/tr&gt;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CViewChoices</name>
    <message>
        <source>Distance &amp;unit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>As in each &amp;file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Sort list</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CWavelengthPair</name>
    <message>
        <source>Both traces are taken at %1 nm: a bend shows only as the difference between two wavelengths.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 nm trace has no events%2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The traces are of different fibres: the fibre ends at %1 m at %2 nm and at %3 m at %4 nm.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CWindowConveniences</name>
    <message>
        <source>Compare &amp;legend</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the colour, file name and wavelength of each compared trace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recent &amp;folders</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EExchangeParameters</name>
    <message>
        <source>The instrument&apos;s parameters are not valid.
The instrument is probably not a compatible one, or it is not connected.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EFileAccessError</name>
    <message>
        <source>File access error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no such file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>disk full</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EFileLoadInvalidFormat</name>
    <message>
        <source>Format of loaded file is no Bellcore v1.0 format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the block %1 ends %2 bytes before its announced size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the fields of the block %1 do not read as its %2 bytes announce</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the block map cannot be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is a damaged trace of the later layout</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the block %1 holds no samples</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file has no block %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EInternalError</name>
    <message>
        <source>Application internal error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file&apos;s code page (%1) has no character &quot;%2&quot;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Exception</name>
    <message>
        <source>Unexpected error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error code is %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>IARMessageBox</name>
    <message>
        <source>Ignore all</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>IDeviceConnector::ESending</name>
    <message>
        <source>Error of sending</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Lumetrix</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Change folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sa&amp;ve all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save all traces</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add copy files from other folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save &amp;copy to...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save copy to another folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rena&amp;me</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete selected files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Uncheck all	Esc</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uncheck all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pre&amp;view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page prop&amp;erties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Op&amp;tions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dis&amp;connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Measu&amp;rement</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Measurement</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Load all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cl&amp;ear memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Update clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Device</source>
        <translation>&amp;OTDR</translation>
    </message>
    <message>
        <source>Device toolbar</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset zoom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom X in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom X out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset zoom X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set &amp;left marker</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set left marker</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set &amp;right marker</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set right marker</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>View toolbar</source>
        <translation>View</translation>
    </message>
    <message>
        <source>Measure &amp;splice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Measure splice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Measure &amp;reflection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Measure reflection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add &amp;event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Lock markers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lock markers to fix their distance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit comment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit comment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Events toolbar</source>
        <translation>Events</translation>
    </message>
    <message>
        <source>&amp;Help topics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move &amp;Left cursor here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move &amp;Left here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move &amp;Center cursor here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move &amp;Right here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move &amp;Right cursor here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom reset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Processor programm for Bellcore files ver. %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Norvane, built with Qt %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> s/n </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export PD&amp;F...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export the report as a PDF file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom %1 %2 × %3 %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>km</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>dB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Add copy from…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>m</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A&amp;nalyze trace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find and measure the events of the trace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pass/fail &amp;limits...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pass/fail limits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the limit set and the span the traces are judged by</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Expo&amp;rt</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QValidator</name>
    <message>
        <source>Value can&apos;t be negative</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Value can&apos;t be positive (put &apos;-&apos; first)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Value must be integer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Max digits count is %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (can be zero)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter numeric value from %1 to %2%3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter a numeric value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Value can&apos;t be zero</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minimum value is %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maximum value is %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maximum string length is %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file&apos;s codepage has no character &quot;%1&quot;</source>
        <translation>The file&apos;s codepage has no character &quot;%1&quot;</translation>
    </message>
</context>
<context>
    <name>analysis::CTraceAnalyzer</name>
    <message>
        <source>sample spacing is 0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pulse width is 0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>trace too short to analyse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>all samples are equal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the trace is at the noise floor</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sor::CFile</name>
    <message>
        <source>the trace changed or went away on disk while it was not held in memory; reload the file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>record %1 of the file is only read: the file is saved through its first record</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tLimitSet</name>
    <message>
        <source>the key &quot;%1&quot; is unknown or its value is not valid</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the key &quot;name&quot; is missing or empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the key &quot;levels&quot; holds an entry that is not an object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the key &quot;%1&quot; is not a wavelength in nm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the key &quot;%1&quot; is unknown or its value is not a number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the key &quot;%1&quot; is unknown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the key &quot;%1&quot; has a warning level beyond its fail level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the key &quot;wavelength&quot; repeats %1 nm</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
