<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="en">
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
        <source>Are you sure to delete all files on device?</source>
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
        <source>Can not be found devices or ports.
Try to install device driver (FTDI COM driver).
Check device connection and power supply.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete files on the device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure to delete ALL files on the device?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CDeviceExchangeDlg</name>
    <message>
        <source>Wait for device communicates...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%v/%m sec</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CDeviceExchanger</name>
    <message>
        <source>Device&apos;s file is invalid.
Probably, Probably, you use incompatible device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot receive device&apos;s identificator from port %1.
Probably, you use incompatible device or device is not connected.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid device&apos;s identificator received from port %1.
Probably, you use incompatible device.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot connect to port %1.
Probably, port in using by another application.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connected device isn&apos;t the requested  device (port %1). Please, re-connect the device.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error of request measurement.
Probably, you use incompatible device.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Number of files is incorrect.
Probably, you use incompatible device.</source>
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
</context>
<context>
    <name>CEventList</name>
    <message>
        <source>Event %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Distance [km]</source>
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
        <source>Length [km]</source>
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
</context>
<context>
    <name>CFileList</name>
    <message>
        <source>Bellcore v1.0 files (*.sor);;All files (*.*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loading file &quot;%1&quot; problem</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loading file &quot;%1&quot; error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Requested codepage not present (file loaded)
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CRC block not present (file loaded)
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid file CRC (file loaded)
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>warnings file &quot;%1&quot; loading found</source>
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
        <source>Saving file &quot;%1&quot; problem</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saving file &quot;%1&quot; error</source>
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
        <source>Copying file &quot;%1&quot; problem</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copying file &quot;%1&quot; error</source>
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
        <source>Filename is already exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Adding file %1 problem</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>System error on copy a file %1 to location  %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename file &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filename cannot contain symbols %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File &quot;%1&quot; already exist.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Renaming file &quot;%1&quot; problem</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Renaming file &quot;%1&quot; error</source>
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
        <source>Deleting file &quot;%1&quot; problem</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File &quot;%1&quot; cannot be moved to the trash, so it was not deleted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open project folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Directory selection problem</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot select directory &quot;%1&quot;</source>
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
        <source>Wave length</source>
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
        <source>Num of Over</source>
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
        <source>Diapasone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>km</source>
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
        <source>Att.coeff</source>
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
</context>
<context>
    <name>CGraphPix</name>
    <message>
        <source>%1km %2dB</source>
        <comment>Tooltip moving marker</comment>
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
    <name>EExchangeParameters</name>
    <message>
        <source>Device parameters are invalid.
Probably, you use incompatible device or device is not connected.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EFileAccessError</name>
    <message>
        <source>File access error</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EFileLoadInvalidFormat</name>
    <message>
        <source>Format of loaded file is no Bellcore v1.0 format</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EInternalError</name>
    <message>
        <source>Application internal error</source>
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
        <source>&amp;Add copy from..</source>
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
        <source>Clear Memory</source>
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
        <source>Reset zoom X </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset zoom X off</source>
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
        <source>delete event</source>
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
        <source>meters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>centimetres</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>kilometers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom %1%2 x %3dB</source>
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
</TS>
