<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU" sourcelanguage="en">
<context>
    <name>CAnalyzeTraces</name>
    <message>
        <source>Analyze trace</source>
        <translation>Анализ рефлектограммы</translation>
    </message>
    <message>
        <source>Analysing traces...</source>
        <translation>Анализ рефлектограмм...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Analysing %1</source>
        <translation>Анализ %1</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>These traces were not analysed:
%1</source>
        <translation>Эти рефлектограммы не проанализированы:
%1</translation>
    </message>
</context>
<context>
    <name>CApplicationStart</name>
    <message>
        <source>A viewer, editor and instrument front end for OTDR traces (Bellcore .sor files).</source>
        <translation>Просмотр, правка рефлектограмм OTDR (файлов Bellcore .sor) и работа с рефлектометром.</translation>
    </message>
    <message>
        <source>Looks for the instrument on PATH too, after the serial ports the system lists (repeatable).</source>
        <translation>Искать прибор также на порту PATH, после последовательных портов системы (можно повторять).</translation>
    </message>
    <message>
        <source>PATH</source>
        <translation>PATH</translation>
    </message>
    <message>
        <source>Trace files to open, or the working folder. The files&apos; folder becomes the working folder and the first file the current trace; without paths the folder used last opens.</source>
        <translation>Открываемые рефлектограммы или рабочая папка. Папка файлов становится рабочей, первый файл — текущим; без путей открывается последняя папка.</translation>
    </message>
    <message>
        <source>[FILE|FOLDER...]</source>
        <translation>[ФАЙЛ|ПАПКА...]</translation>
    </message>
    <message>
        <source>%1: not found</source>
        <translation>%1: не найден</translation>
    </message>
    <message>
        <source>%1: not in the folder %2</source>
        <translation>%1: не в папке %2</translation>
    </message>
    <message>
        <source>%1: not listed as a trace</source>
        <translation>%1: не является рефлектограммой папки</translation>
    </message>
    <message>
        <source>Opening files</source>
        <translation>Открытие файлов</translation>
    </message>
    <message>
        <source>These were not opened:
%1</source>
        <translation>Не открыты:
%1</translation>
    </message>
</context>
<context>
    <name>CBidirectionalPair</name>
    <message>
        <source>A trace cannot be paired with itself.</source>
        <translation>Рефлектограмму нельзя поставить в пару с ней самой.</translation>
    </message>
    <message>
        <source>The wavelengths differ: %1 nm (A→B) and %2 nm (B→A).</source>
        <translation>Длины волн различаются: %1 нм (A→B) и %2 нм (B→A).</translation>
    </message>
    <message>
        <source>The group indices differ by more than %1: %2 (A→B) and %3 (B→A).</source>
        <translation>Групповые показатели преломления различаются больше чем на %1: %2 (A→B) и %3 (B→A).</translation>
    </message>
    <message>
        <source>A→B</source>
        <translation>A→B</translation>
    </message>
    <message>
        <source>B→A</source>
        <translation>B→A</translation>
    </message>
    <message>
        <source>The %1 trace has no events: %2</source>
        <translation>У рефлектограммы %1 нет событий: %2</translation>
    </message>
    <message>
        <source>The %1 trace has no fibre end.</source>
        <translation>У рефлектограммы %1 не найден конец волокна.</translation>
    </message>
    <message>
        <source>The lengths to the fibre end differ by more than %1 m: %2 m (A→B) and %3 m (B→A).</source>
        <translation>Длины до конца волокна различаются больше чем на %1 м: %2 м (A→B) и %3 м (B→A).</translation>
    </message>
</context>
<context>
    <name>CBidirectionalPanel</name>
    <message>
        <source>Swap</source>
        <translation>Поменять</translation>
    </message>
    <message>
        <source>Swap the directions</source>
        <translation>Поменять направления местами</translation>
    </message>
    <message>
        <source>The name endings of the two directions, separated by a space</source>
        <translation>Окончания имён файлов двух направлений через пробел</translation>
    </message>
    <message>
        <source>Report PDF…</source>
        <translation>Отчёт PDF…</translation>
    </message>
    <message>
        <source>Proposed pair:</source>
        <translation>Предложенная пара:</translation>
    </message>
    <message>
        <source>Suffixes:</source>
        <translation>Суффиксы:</translation>
    </message>
    <message>
        <source>A→B:</source>
        <translation>A→B:</translation>
    </message>
    <message>
        <source>B→A:</source>
        <translation>B→A:</translation>
    </message>
    <message>
        <source>Bidirectional analysis</source>
        <translation>Двунаправленный анализ</translation>
    </message>
    <message>
        <source>Average the events of two traces of one fibre measured from both ends</source>
        <translation>Усреднить события двух рефлектограмм одного волокна, снятых с обоих концов</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 и %2</translation>
    </message>
    <message>
        <source>No pair proposed in this folder</source>
        <translation>В этой папке пары не найдены</translation>
    </message>
    <message>
        <source>Choose the A→B and the B→A trace of one fibre.</source>
        <translation>Выберите рефлектограммы A→B и B→A одного волокна.</translation>
    </message>
    <message>
        <source>Not a pair: %1</source>
        <translation>Не пара: %1</translation>
    </message>
    <message>
        <source>Export the pair&apos;s report</source>
        <translation>Экспорт отчёта по паре</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>Файлы PDF (*.pdf)</translation>
    </message>
    <message>
        <source>The report could not be written to %1: %2</source>
        <translation>Не удалось записать отчёт в %1: %2</translation>
    </message>
    <message>
        <source>%1 (A→B) with %2 (B→A) mirrored; events closer than %3 are one event.</source>
        <translation>%1 (A→B) и зеркально отражённая %2 (B→A); события ближе %3 друг к другу считаются одним.</translation>
    </message>
</context>
<context>
    <name>CBidirectionalReport</name>
    <message>
        <source>&lt;table width=100%&gt;&lt;tr&gt;&lt;td align=&quot;left&quot;&gt;%1&lt;/td&gt;&lt;td align=&quot;right&quot;&gt;Bidirectional analysis&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;hr&gt;&lt;table&gt;&lt;tr&gt;&lt;td width=18%&gt;A→B:&lt;/td&gt;&lt;td&gt;&lt;font color=&quot;%2&quot;&gt;&amp;#9632;&lt;/font&gt; %3&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;B→A:&lt;/td&gt;&lt;td&gt;&lt;font color=&quot;%4&quot;&gt;&amp;#9632;&lt;/font&gt; %5 (mirrored)&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;Cable:&lt;/td&gt;&lt;td&gt;%6&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;Fiber:&lt;/td&gt;&lt;td&gt;%7&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;From A to B:&lt;/td&gt;&lt;td&gt;%8 → %9&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;Wavelength:&lt;/td&gt;&lt;td&gt;%10nm&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;Pulse width:&lt;/td&gt;&lt;td&gt;%11ns (A→B), %12ns (B→A)&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;hr&gt;</source>
        <translation>&lt;table width=100%&gt;&lt;tr&gt;&lt;td align=&quot;left&quot;&gt;%1&lt;/td&gt;&lt;td align=&quot;right&quot;&gt;Двунаправленный анализ&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;hr&gt;&lt;table&gt;&lt;tr&gt;&lt;td width=18%&gt;A→B:&lt;/td&gt;&lt;td&gt;&lt;font color=&quot;%2&quot;&gt;&amp;#9632;&lt;/font&gt; %3&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;B→A:&lt;/td&gt;&lt;td&gt;&lt;font color=&quot;%4&quot;&gt;&amp;#9632;&lt;/font&gt; %5 (зеркально)&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;Кабель:&lt;/td&gt;&lt;td&gt;%6&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;Волокно:&lt;/td&gt;&lt;td&gt;%7&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;От A до B:&lt;/td&gt;&lt;td&gt;%8 → %9&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;Длина волны:&lt;/td&gt;&lt;td&gt;%10 нм&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;Длительность импульса:&lt;/td&gt;&lt;td&gt;%11 нс (A→B), %12 нс (B→A)&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;hr&gt;</translation>
    </message>
    <message>
        <source>The page could not be drawn.</source>
        <translation>Не удалось нарисовать страницу.</translation>
    </message>
</context>
<context>
    <name>CBidirectionalTable</name>
    <message>
        <source>Event %1</source>
        <translation>Событие %1</translation>
    </message>
    <message>
        <source>Loss A→B [dB]</source>
        <translation>Потери A→B [дБ]</translation>
    </message>
    <message>
        <source>Loss B→A [dB]</source>
        <translation>Потери B→A [дБ]</translation>
    </message>
    <message>
        <source>Average loss [dB]</source>
        <translation>Средние потери [дБ]</translation>
    </message>
    <message>
        <source>Reflectance [dB]</source>
        <translation>Отражение [дБ]</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Примечание</translation>
    </message>
    <message>
        <source>Fibre end (A→B)</source>
        <translation>Конец волокна (A→B)</translation>
    </message>
    <message>
        <source>Seen from A→B only: half its loss</source>
        <translation>Видно только из A→B: половина потерь</translation>
    </message>
    <message>
        <source>Seen from B→A only: half its loss</source>
        <translation>Видно только из B→A: половина потерь</translation>
    </message>
    <message>
        <source>Loss measured from one end</source>
        <translation>Потери измерены с одного конца</translation>
    </message>
    <message>
        <source>A→B</source>
        <translation>A→B</translation>
    </message>
    <message>
        <source>B→A</source>
        <translation>B→A</translation>
    </message>
    <message>
        <source>Average</source>
        <translation>Среднее</translation>
    </message>
    <message>
        <source>Total loss [dB]</source>
        <translation>Суммарные потери [дБ]</translation>
    </message>
    <message>
        <source>ORL [dB]</source>
        <translation>ORL [дБ]</translation>
    </message>
    <message>
        <source>Distance [%1]</source>
        <translation>Расстояние [%1]</translation>
    </message>
    <message>
        <source>Fibre end [%1]</source>
        <translation>Конец волокна [%1]</translation>
    </message>
</context>
<context>
    <name>CChecksumConvention</name>
    <message>
        <source>absent</source>
        <translation>отсутствует</translation>
    </message>
    <message>
        <source>CRC-16/CCITT-FALSE</source>
        <translation>CRC-16/CCITT-FALSE</translation>
    </message>
    <message>
        <source>zero, not computed by the instrument</source>
        <translation>ноль, прибор не вычисляет сумму</translation>
    </message>
    <message>
        <source>CRC-16/XMODEM</source>
        <translation>CRC-16/XMODEM</translation>
    </message>
    <message>
        <source>CRC-16/CCITT-FALSE before the checksum block</source>
        <translation>CRC-16/CCITT-FALSE до блока контрольной суммы</translation>
    </message>
    <message>
        <source>CRC-16/CCITT-FALSE over the whole file</source>
        <translation>CRC-16/CCITT-FALSE по всему файлу</translation>
    </message>
    <message>
        <source>CRC-16/CCITT-FALSE inverted</source>
        <translation>CRC-16/CCITT-FALSE с инверсией</translation>
    </message>
    <message>
        <source>does not match</source>
        <translation>не совпадает</translation>
    </message>
</context>
<context>
    <name>CCompactImage</name>
    <message>
        <source>the trace is no longer the one of this step; reload the file</source>
        <translation>рефлектограмма уже не та, что была на этом шаге; загрузите файл заново</translation>
    </message>
</context>
<context>
    <name>CCompareLegend</name>
    <message>
        <source>%1, %2 nm</source>
        <translation>%1, %2 нм</translation>
    </message>
</context>
<context>
    <name>CCsvExportActions</name>
    <message>
        <source>&amp;Events as CSV…</source>
        <translation>&amp;События в CSV…</translation>
    </message>
    <message>
        <source>&amp;Trace as CSV…</source>
        <translation>&amp;Рефлектограмма в CSV…</translation>
    </message>
    <message>
        <source>Save the events of the current trace as a table for a spreadsheet</source>
        <translation>Сохранить события текущей рефлектограммы таблицей для табличного редактора</translation>
    </message>
    <message>
        <source>Save the distance and level of every sample of the current trace</source>
        <translation>Сохранить расстояние и уровень каждой точки текущей рефлектограммы</translation>
    </message>
    <message>
        <source>Export events as CSV</source>
        <translation>Экспорт событий в CSV</translation>
    </message>
    <message>
        <source>Export trace as CSV</source>
        <translation>Экспорт рефлектограммы в CSV</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Файлы CSV (*.csv)</translation>
    </message>
    <message>
        <source>The table could not be written to %1:
%2</source>
        <translation>Не удалось записать таблицу в %1:
%2</translation>
    </message>
</context>
<context>
    <name>CCursors</name>
    <message>
        <source>A fit interval holds fewer than two samples: move the cursors apart to measure</source>
        <translation>В интервале аппроксимации меньше двух точек: раздвиньте курсоры для измерения</translation>
    </message>
    <message>
        <source>A fit interval lies below the noise floor of the file (%1 dB): move it onto the trace to measure</source>
        <translation>Интервал аппроксимации лежит ниже уровня шумов файла (%1 дБ): для измерения переместите его на рефлектограмму</translation>
    </message>
    <message>
        <source>The trace scatters about a fit line by %1 dB, more than the %2 dB step it measures: measure where the trace stands clear of the noise</source>
        <translation>Разброс рефлектограммы вокруг линии аппроксимации (%1 дБ) больше измеряемой ступеньки (%2 дБ): измеряйте там, где рефлектограмма выше шумов</translation>
    </message>
</context>
<context>
    <name>CDateFormat</name>
    <message>
        <source>dd/MM/yyyy HH:mm:ss</source>
        <comment>Date and time format of the interface language</comment>
        <translation>dd.MM.yyyy HH:mm:ss</translation>
    </message>
    <message>
        <source>dd/MM/yyyy HH:mm</source>
        <comment>Date and time format of the interface language</comment>
        <translation>dd.MM.yyyy HH:mm</translation>
    </message>
</context>
<context>
    <name>CDevice</name>
    <message>
        <source>Device properties</source>
        <translation>Свойства прибора</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Порт</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Модель</translation>
    </message>
    <message>
        <source>№</source>
        <translation>№</translation>
    </message>
    <message>
        <source>Sw version</source>
        <translation>Версия ПО</translation>
    </message>
    <message>
        <source>Параметры измерения</source>
        <translation>Параметры измерения</translation>
    </message>
    <message>
        <source>Длина волны</source>
        <translation>Длина волны</translation>
    </message>
    <message>
        <source>нм</source>
        <translation>нм</translation>
    </message>
    <message>
        <source>Длит. импульса</source>
        <translation>Длит. импульса</translation>
    </message>
    <message>
        <source>нс</source>
        <translation>нс</translation>
    </message>
    <message>
        <source>Время усреднения</source>
        <translation>Время усреднения</translation>
    </message>
    <message>
        <source>с</source>
        <translation>с</translation>
    </message>
    <message>
        <source>Диапазон</source>
        <translation>Диапазон</translation>
    </message>
    <message>
        <source>км</source>
        <translation>км</translation>
    </message>
    <message>
        <source>Коэф. преломления</source>
        <translation>Коэф. преломления</translation>
    </message>
    <message>
        <source>Коэф. обр.рассеяния</source>
        <translation>Коэф. обр.рассеяния</translation>
    </message>
    <message>
        <source>Дб</source>
        <translation>Дб</translation>
    </message>
    <message>
        <source>Apply and start measure</source>
        <translation>Применить и начать измерение</translation>
    </message>
    <message>
        <source>Clearing device memory</source>
        <translation>Очистка памяти прибора</translation>
    </message>
    <message>
        <source>default</source>
        <translation>по умолчанию</translation>
    </message>
    <message>
        <source>Invalid parameter GI</source>
        <translation>Неверный параметр GI</translation>
    </message>
    <message>
        <source>Parameter GI is invalid value %1. Enter real number between %2 and %3</source>
        <translation>Недопустимое значение параметра GI: %1. Введите вещественное число от %2 до %3</translation>
    </message>
    <message>
        <source>Device communicates</source>
        <translation>Связь с прибором</translation>
    </message>
    <message>
        <source>Devices not found</source>
        <translation>Приборы не найдены</translation>
    </message>
    <message>
        <source>Delete files on the device</source>
        <translation>Удаление файлов в приборе</translation>
    </message>
    <message>
        <source>The instrument on port %1 does not answer.
Check that it is switched on and that its cable is plugged in, then connect again.

%2</source>
        <translation>Прибор на порту %1 не отвечает.
Проверьте, что он включён и его кабель подключён, затем подключитесь снова.

%2</translation>
    </message>
    <message>
        <source>Delete all traces on the instrument?</source>
        <translation>Удалить все рефлектограммы в приборе?</translation>
    </message>
    <message>
        <source>Choose the instrument</source>
        <translation>Выбор прибора</translation>
    </message>
    <message>
        <source>No instrument and no serial port were found.
Install the driver of the instrument&apos;s USB adapter (FTDI), then check the cable and that the instrument is switched on.</source>
        <translation>Не найдено ни прибора, ни последовательного порта.
Установите драйвер USB-адаптера прибора (FTDI), затем проверьте кабель и включён ли прибор.</translation>
    </message>
</context>
<context>
    <name>CDeviceExchangeDlg</name>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>%v/%m sec</source>
        <translation>%v/%m с</translation>
    </message>
    <message>
        <source>Waiting for the instrument…</source>
        <translation>Ожидание прибора…</translation>
    </message>
</context>
<context>
    <name>CDeviceExchanger</name>
    <message>
        <source>Connected device isn&apos;t the requested  device (port %1). Please, re-connect the device.</source>
        <translation>Подключённый прибор не тот, что был выбран (порт %1). Переподключите прибор.</translation>
    </message>
    <message>
        <source>Device is empty</source>
        <translation>Память прибора пуста</translation>
    </message>
    <message>
        <source>Cannot create temporary file. Check empty space of %1 bytes on system disk.</source>
        <translation>Не удалось создать временный файл. Проверьте, есть ли %1 байт свободного места на системном диске.</translation>
    </message>
    <message>
        <source>Cannot write temporary file:
%1</source>
        <translation>Не удалось записать временный файл:
%1</translation>
    </message>
    <message>
        <source>Device&apos;s file is invalid:
%1</source>
        <translation>Файл прибора неверен:
%1</translation>
    </message>
    <message>
        <source>The file from the instrument is invalid.
The instrument is probably not a compatible one.</source>
        <translation>Файл, полученный от прибора, повреждён.
Вероятно, прибор несовместим с программой.</translation>
    </message>
    <message>
        <source>No identification was received from the instrument on port %1.
The instrument is probably not a compatible one, or it is not connected.</source>
        <translation>Прибор на порту %1 не прислал идентификатор.
Вероятно, прибор несовместим или не подключён.</translation>
    </message>
    <message>
        <source>The identification received from port %1 is not valid.
The instrument is probably not a compatible one.</source>
        <translation>Идентификатор, полученный с порта %1, неверен.
Вероятно, прибор несовместим.</translation>
    </message>
    <message>
        <source>Cannot connect to port %1.
The port is probably in use by another application.</source>
        <translation>Не удалось подключиться к порту %1.
Вероятно, порт занят другим приложением.</translation>
    </message>
    <message>
        <source>The instrument did not accept the measurement request.
The instrument is probably not a compatible one.</source>
        <translation>Прибор не принял запрос измерения.
Вероятно, прибор несовместим.</translation>
    </message>
    <message>
        <source>The instrument reported an impossible number of files.
The instrument is probably not a compatible one.</source>
        <translation>Прибор сообщил невозможное число файлов.
Вероятно, прибор несовместим.</translation>
    </message>
</context>
<context>
    <name>CDistanceUnit</name>
    <message>
        <source>m</source>
        <translation>м</translation>
    </message>
    <message>
        <source>ft</source>
        <translation>фут</translation>
    </message>
    <message>
        <source>kft</source>
        <translation>кфут</translation>
    </message>
    <message>
        <source>mi</source>
        <translation>миль</translation>
    </message>
    <message>
        <source>km</source>
        <translation>км</translation>
    </message>
    <message>
        <source>Metres (m)</source>
        <translation>Метры (м)</translation>
    </message>
    <message>
        <source>Feet (ft)</source>
        <translation>Футы (фут)</translation>
    </message>
    <message>
        <source>Kilofeet (kft)</source>
        <translation>Тысячи футов (кфут)</translation>
    </message>
    <message>
        <source>Miles (mi)</source>
        <translation>Мили (миль)</translation>
    </message>
    <message>
        <source>Kilometres (km)</source>
        <translation>Километры (км)</translation>
    </message>
</context>
<context>
    <name>CDocumentHistory</name>
    <message>
        <source>Add event</source>
        <translation>Добавление события</translation>
    </message>
    <message>
        <source>Delete event</source>
        <translation>Удаление события</translation>
    </message>
    <message>
        <source>Event comment</source>
        <translation>Комментарий события</translation>
    </message>
    <message>
        <source>Replace event</source>
        <translation>Замена события</translation>
    </message>
</context>
<context>
    <name>CEntryGuard</name>
    <message>
        <source>Operation failed</source>
        <translation>Операция не выполнена</translation>
    </message>
    <message>
        <source>The operation could not be completed; the trace stays as it was.</source>
        <translation>Операцию не удалось выполнить; рефлектограмма осталась прежней.</translation>
    </message>
</context>
<context>
    <name>CEventList</name>
    <message>
        <source>Event %1</source>
        <translation>Событие %1</translation>
    </message>
    <message>
        <source>Loss [dB]</source>
        <translation>Потери [дБ]</translation>
    </message>
    <message>
        <source>Reflectance [dB]</source>
        <translation>Отражение [дБ]</translation>
    </message>
    <message>
        <source>Attenuation coeff. [dB/km]</source>
        <translation>Коэф. затухания [дБ/км]</translation>
    </message>
    <message>
        <source>Total loss [dB]</source>
        <translation>Суммарные потери [дБ]</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>Комментарий</translation>
    </message>
    <message>
        <source>This trace carries no events.</source>
        <translation>В рефлектограмме нет событий.</translation>
    </message>
    <message>
        <source>Analyze trace</source>
        <translation>Анализ рефлектограммы</translation>
    </message>
    <message>
        <source>Distance [%1]</source>
        <translation>Расстояние [%1]</translation>
    </message>
    <message>
        <source>Length [%1]</source>
        <translation>Длина [%1]</translation>
    </message>
</context>
<context>
    <name>CFileInfo</name>
    <message>
        <source>CDF_BuiltCondition</source>
        <translation>При строительстве (BC)</translation>
    </message>
    <message>
        <source>CDF_CCondidion</source>
        <translation>Текущая проверка (CC)</translation>
    </message>
    <message>
        <source>CDF_RepairedCondition</source>
        <translation>При восстановлении (RC)</translation>
    </message>
    <message>
        <source>CDF_Other</source>
        <translation>Другое (OT)</translation>
    </message>
    <message>
        <source>Information [%1]</source>
        <translation>Информация [%1]</translation>
    </message>
    <message>
        <source>Описание</source>
        <translation>Описание</translation>
    </message>
    <message>
        <source>Описание tooltip</source>
        <translation>Кабель, волокно, трасса, оператор и комментарий</translation>
    </message>
    <message>
        <source>Дата/время</source>
        <translation>Дата/время</translation>
    </message>
    <message>
        <source>Кабель</source>
        <translation>Кабель</translation>
    </message>
    <message>
        <source>Волокно</source>
        <translation>Волокно</translation>
    </message>
    <message>
        <source>Начало линии</source>
        <translation>Начало линии</translation>
    </message>
    <message>
        <source>Конец линии</source>
        <translation>Конец линии</translation>
    </message>
    <message>
        <source>Условие</source>
        <translation>Условие</translation>
    </message>
    <message>
        <source>Код кабеля</source>
        <translation>Код кабеля</translation>
    </message>
    <message>
        <source>Оператор</source>
        <translation>Оператор</translation>
    </message>
    <message>
        <source>Комментарий</source>
        <translation>Комментарий</translation>
    </message>
    <message>
        <source>Прибор</source>
        <translation>Прибор</translation>
    </message>
    <message>
        <source>Прибор tooltip</source>
        <translation>Прибор, которым снята рефлектограмма</translation>
    </message>
    <message>
        <source>Изготовитель</source>
        <translation>Изготовитель</translation>
    </message>
    <message>
        <source>Тип прибора</source>
        <translation>Тип прибора</translation>
    </message>
    <message>
        <source>Номер прибора</source>
        <translation>Номер прибора</translation>
    </message>
    <message>
        <source>Версия ПО</source>
        <translation>Версия ПО</translation>
    </message>
    <message>
        <source>Прочее</source>
        <translation>Прочее</translation>
    </message>
    <message>
        <source>Анализ</source>
        <translation>Анализ</translation>
    </message>
    <message>
        <source>Анализ tooltip</source>
        <translation>Пороги анализа событий</translation>
    </message>
    <message>
        <source>Коэффициент обратного рассеяния</source>
        <translation>Коэффициент обратного рассеяния</translation>
    </message>
    <message>
        <source>дБ</source>
        <translation>дБ</translation>
    </message>
    <message>
        <source>Затухание в соединении</source>
        <translation>Затухание в соединении</translation>
    </message>
    <message>
        <source>Коэффициент отражения</source>
        <translation>Коэффициент отражения</translation>
    </message>
    <message>
        <source>Конец</source>
        <translation>Конец</translation>
    </message>
    <message>
        <source>Измерение</source>
        <translation>Измерение</translation>
    </message>
    <message>
        <source>Измерение tooltip</source>
        <translation>Параметры измерения</translation>
    </message>
    <message>
        <source>Точная длина волны</source>
        <translation>Точная длина волны</translation>
    </message>
    <message>
        <source>нм</source>
        <translation>нм</translation>
    </message>
    <message>
        <source>Показатель преломления</source>
        <translation>Показатель преломления</translation>
    </message>
    <message>
        <source>Диапазон расстояний</source>
        <translation>Диапазон расстояний</translation>
    </message>
    <message>
        <source>ns</source>
        <translation>нс</translation>
    </message>
    <message>
        <source>км</source>
        <translation>км</translation>
    </message>
    <message>
        <source>Разрешение</source>
        <translation>Разрешение</translation>
    </message>
    <message>
        <source>м</source>
        <translation>м</translation>
    </message>
    <message>
        <source>Длительность зондирующего импульса</source>
        <translation>Длительность зондирующего импульса</translation>
    </message>
    <message>
        <source>нс</source>
        <translation>нс</translation>
    </message>
    <message>
        <source>Число усреднений рефлектограммы</source>
        <translation>Число усреднений рефлектограммы</translation>
    </message>
    <message>
        <source>Check GI</source>
        <translation>Проверьте ПП</translation>
    </message>
    <message>
        <source>&lt;=Check</source>
        <translation>&lt;=Проверьте</translation>
    </message>
    <message>
        <source>Editing File Information</source>
        <translation>Редактирование информации о файле</translation>
    </message>
    <message>
        <source>Not all fields completed correctly</source>
        <translation>Не все поля заполнены правильно</translation>
    </message>
    <message>
        <source>Code &quot;%1&quot; of the file</source>
        <translation>Код «%1» из файла</translation>
    </message>
    <message>
        <source>Optical module</source>
        <translation>Оптический модуль</translation>
    </message>
    <message>
        <source>Optical module number</source>
        <translation>Номер оптического модуля</translation>
    </message>
    <message>
        <source>Code page</source>
        <translation>Кодовая страница</translation>
    </message>
    <message>
        <source>Checksum</source>
        <translation>Контрольная сумма</translation>
    </message>
    <message>
        <source>absent</source>
        <translation>отсутствует</translation>
    </message>
    <message>
        <source>does not match (the trace loaded whole)</source>
        <translation>не совпадает (рефлектограмма загружена полностью)</translation>
    </message>
    <message>
        <source>matches (%1)</source>
        <translation>совпадает (%1)</translation>
    </message>
    <message>
        <source>Set the length...</source>
        <translation>Задать длину...</translation>
    </message>
    <message>
        <source>Set the length</source>
        <translation>Задать длину</translation>
    </message>
    <message>
        <source>The file stores no range: the trace&apos;s extent</source>
        <translation>Диапазон в файле не записан: показана протяжённость рефлектограммы</translation>
    </message>
    <message>
        <source>Known distance of the span&apos;s end from the trace start [%1]:</source>
        <translation>Известное расстояние от начала рефлектограммы до конца участка [%1]:</translation>
    </message>
</context>
<context>
    <name>CFileList</name>
    <message>
        <source>Bellcore v1.0 files (*.sor);;All files (*.*)</source>
        <translation>Файлы Bellcore v1.0 (*.sor);;Все файлы (*.*)</translation>
    </message>
    <message>
        <source>Add to compare</source>
        <translation>Добавление к сравнению</translation>
    </message>
    <message>
        <source>Maximum number of files for compare is %1</source>
        <translation>Наибольшее число файлов для сравнения: %1</translation>
    </message>
    <message>
        <source>Copying file %1  issue</source>
        <translation>Копирование файла %1  невозможно</translation>
    </message>
    <message>
        <source>Cannot copy a file to itself</source>
        <translation>Нельзя скопировать файл в самого себя</translation>
    </message>
    <message>
        <source>Copy file &quot;%1&quot; to</source>
        <translation>Копировать файл &quot;%1&quot; в</translation>
    </message>
    <message>
        <source>Select dir to copy</source>
        <translation>Выберите папку для копирования</translation>
    </message>
    <message>
        <source>Add copy from</source>
        <translation>Добавить копию из</translation>
    </message>
    <message>
        <source>Adding file %1 issue</source>
        <translation>Добавление файла %1 невозможно</translation>
    </message>
    <message>
        <source>Rename file &quot;%1&quot;</source>
        <translation>Переименование файла &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Delete file &quot;%1&quot;</source>
        <translation>Удаление файла &quot;%1&quot;</translation>
    </message>
    <message>
        <source>This operation will delete file &quot;%1&quot; to Windows trash.
Are you sure?</source>
        <translation>Файл &quot;%1&quot; будет перемещён в корзину.
Вы уверены?</translation>
    </message>
    <message>
        <source>Delete files</source>
        <translation>Удаление файлов</translation>
    </message>
    <message>
        <source>This operation will delete %1 selected files to Windows trash.
Are you sure?</source>
        <translation>Выбранные файлы (%1) будут перемещены в корзину.
Вы уверены?</translation>
    </message>
    <message>
        <source>File &quot;%1&quot; cannot be moved to the trash, so it was not deleted.</source>
        <translation>Файл &quot;%1&quot; нельзя переместить в корзину, поэтому он не удалён.</translation>
    </message>
    <message>
        <source>Cannot select directory &quot;%1&quot;</source>
        <translation>Не удаётся выбрать папку &quot;%1&quot;</translation>
    </message>
    <message>
        <source>The file stays listed as it was loaded before.</source>
        <translation>Файл остаётся в списке в том виде, в каком был загружен раньше.</translation>
    </message>
    <message>
        <source>Loading file &quot;%1&quot;</source>
        <translation>Загрузка файла &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Copying file &quot;%1&quot;</source>
        <translation>Копирование файла &quot;%1&quot;</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has unsaved changes and is about to be replaced. Save the changes first?</source>
        <translation>В &quot;%1&quot; есть несохранённые изменения, а файл будет заменён. Сначала сохранить изменения?</translation>
    </message>
    <message>
        <source>Closing files</source>
        <translation>Закрытие файлов</translation>
    </message>
    <message>
        <source>These files could not be saved and stay open with their changes:
%1</source>
        <translation>Эти файлы не удалось сохранить, они остаются открытыми со своими изменениями:
%1</translation>
    </message>
    <message>
        <source>File &quot;%1&quot; already exists.</source>
        <translation>Файл &quot;%1&quot; уже существует.</translation>
    </message>
    <message>
        <source>Change folder</source>
        <translation>Сменить папку</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; cannot be read.</source>
        <translation>Файл «%1» невозможно прочитать.</translation>
    </message>
    <message>
        <source>The checksum matches none of the conventions instruments use; the trace loaded whole.</source>
        <translation>Контрольная сумма не соответствует ни одному из правил, принятых у приборов; рефлектограмма загружена полностью.</translation>
    </message>
    <message>
        <source>The file has no checksum; the trace loaded whole.</source>
        <translation>В файле нет контрольной суммы; рефлектограмма загружена полностью.</translation>
    </message>
    <message>
        <source>The code page of the file is missing on this system; its texts are read as %1.</source>
        <translation>Кодовой страницы файла нет в системе; его тексты прочитаны как %1.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be read: %2</source>
        <translation>«%1» невозможно прочитать: %2</translation>
    </message>
    <message>
        <source>Cannot reload &quot;%1&quot;</source>
        <translation>Не удалось перезагрузить &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Error reloading &quot;%1&quot;</source>
        <translation>Ошибка при перезагрузке &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Cannot load &quot;%1&quot;</source>
        <translation>Не удалось загрузить &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Error loading &quot;%1&quot;</source>
        <translation>Ошибка при загрузке &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Cannot save &quot;%1&quot;</source>
        <translation>Не удалось сохранить &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Error saving &quot;%1&quot;</source>
        <translation>Ошибка при сохранении &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Cannot copy &quot;%1&quot;</source>
        <translation>Не удалось скопировать &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Error copying &quot;%1&quot;</source>
        <translation>Ошибка при копировании &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Cannot add &quot;%1&quot;</source>
        <translation>Не удалось добавить &quot;%1&quot;</translation>
    </message>
    <message>
        <source>The file %1 could not be copied to %2.</source>
        <translation>Не удалось скопировать файл %1 в %2.</translation>
    </message>
    <message>
        <source>A file name cannot contain any of these characters: %1</source>
        <translation>Имя файла не может содержать ни один из этих символов: %1</translation>
    </message>
    <message>
        <source>Cannot rename &quot;%1&quot;</source>
        <translation>Не удалось переименовать &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Error renaming &quot;%1&quot;</source>
        <translation>Ошибка при переименовании &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Cannot delete &quot;%1&quot;</source>
        <translation>Не удалось удалить &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Cannot open the folder</source>
        <translation>Не удалось открыть папку</translation>
    </message>
    <message>
        <source>The file changed or went away on disk while its trace was not in memory: reload it to see the trace.</source>
        <translation>Файл изменился или исчез с диска, пока его рефлектограмма не была в памяти: загрузите его заново, чтобы увидеть рефлектограмму.</translation>
    </message>
</context>
<context>
    <name>CFileListElementDelegate</name>
    <message>
        <source>Unreadable: %1</source>
        <translation>Не читается: %1</translation>
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
        <translation>Рабочая папка изменилась</translation>
    </message>
    <message>
        <source>%1

The file has been modified outside of program.
 Do you want to reload it and lose the changes you made?</source>
        <translation>%1

Файл изменён другой программой.
Перезагрузить его? Сделанные изменения будут потеряны.</translation>
    </message>
    <message>
        <source>%1

The file has been modified outside of program.
Do you want to reload it?</source>
        <translation>%1

Файл изменён другой программой.
Перезагрузить его?</translation>
    </message>
    <message>
        <source>%1

The file has removed outside of program.
Do you want to remove it from file list and lose the changes you made?</source>
        <translation>%1

Файл удалён другой программой.
Убрать его из списка файлов? Сделанные изменения будут потеряны.</translation>
    </message>
    <message>
        <source>%1

The file has removed outside of program.
Do you want to remove it from file list?</source>
        <translation>%1

Файл удалён другой программой.
Убрать его из списка файлов?</translation>
    </message>
    <message>
        <source>New files appeared in the current folder.
Do you want to update the file list?</source>
        <translation>В текущей папке появились новые файлы.
Обновить список файлов?</translation>
    </message>
</context>
<context>
    <name>CGraphDlg</name>
    <message>
        <source>Form</source>
        <translation>Форма</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Информация</translation>
    </message>
    <message>
        <source>nm</source>
        <translation>нм</translation>
    </message>
    <message>
        <source>Pulse width</source>
        <translation>Импульс</translation>
    </message>
    <message>
        <source>ns </source>
        <translation>нс </translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Разрешение</translation>
    </message>
    <message>
        <source>m </source>
        <translation>м </translation>
    </message>
    <message>
        <source>Group Idx</source>
        <translation>Инд. прел.</translation>
    </message>
    <message>
        <source>File information</source>
        <translation>Информация о файле</translation>
    </message>
    <message>
        <source>dB</source>
        <translation>дБ</translation>
    </message>
    <message>
        <source>Left marker</source>
        <translation>Левый маркер</translation>
    </message>
    <message>
        <source>Right marker</source>
        <translation>Правый маркер</translation>
    </message>
    <message>
        <source>Measurement</source>
        <translation>Измерение</translation>
    </message>
    <message>
        <source>Distance L-R</source>
        <translation>Расст. Л-П</translation>
    </message>
    <message>
        <source>Loss L-R</source>
        <translation>Потери Л-П</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Положение</translation>
    </message>
    <message>
        <source>Reflectance</source>
        <translation>Отражение</translation>
    </message>
    <message>
        <source>Attenuation</source>
        <translation>Затухание</translation>
    </message>
    <message>
        <source>Wavelength</source>
        <translation>Длина волны</translation>
    </message>
    <message>
        <source>Averages</source>
        <translation>Усреднений</translation>
    </message>
    <message>
        <source>Range</source>
        <translation>Диапазон</translation>
    </message>
    <message>
        <source>Att. coeff.</source>
        <translation>Коэф. зат.</translation>
    </message>
    <message>
        <source>dB/km</source>
        <translation>дБ/км</translation>
    </message>
</context>
<context>
    <name>CGraphPix</name>
    <message>
        <source>%1km %2dB</source>
        <comment>Tooltip moving marker</comment>
        <translation>%1км %2дБ</translation>
    </message>
    <message>
        <source>No traces in this folder.

Open a folder of traces with File &gt; Change folder (Ctrl+O),
or connect the instrument and download its traces with OTDR &gt; Load all.</source>
        <translation>В этой папке нет рефлектограмм.

Откройте папку с рефлектограммами: Файл &gt; Сменить папку (Ctrl+O),
или подключите прибор и загрузите его рефлектограммы: Рефлектометр &gt; Загрузить все.</translation>
    </message>
</context>
<context>
    <name>CGraphWidget</name>
    <message>
        <source>%1=%2ns</source>
        <translation>%1=%2нс</translation>
    </message>
    <message>
        <source>%1=%2nm</source>
        <translation>%1=%2нм</translation>
    </message>
    <message>
        <source>k=%1</source>
        <translation>k=%1</translation>
    </message>
    <message>
        <source>L=%1</source>
        <translation>L=%1</translation>
    </message>
</context>
<context>
    <name>CHelpWindow</name>
    <message>
        <source>Lumetrix Help</source>
        <translation>Справка Lumetrix</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Назад</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Вперёд</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Содержание</translation>
    </message>
</context>
<context>
    <name>CLimitSets</name>
    <message>
        <source>no limit set is named &quot;%1&quot;</source>
        <translation>набора норм с именем «%1» нет</translation>
    </message>
    <message>
        <source>%1: the file holds %2 limit sets, not one</source>
        <translation>%1: в файле наборов норм: %2, а не один</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1: the file is too large for a limit set</source>
        <translation>%1: файл слишком велик для набора норм</translation>
    </message>
    <message>
        <source>%1: not valid JSON at byte %2: %3</source>
        <translation>%1: ошибка JSON в байте %2: %3</translation>
    </message>
    <message>
        <source>%1: the file holds no JSON object</source>
        <translation>%1: в файле нет объекта JSON</translation>
    </message>
    <message>
        <source>%1: the key &quot;%2&quot; is unknown or its value is not valid</source>
        <translation>%1: ключ «%2» неизвестен или его значение недопустимо</translation>
    </message>
    <message>
        <source>a limit set is not an object</source>
        <translation>набор норм — не объект JSON</translation>
    </message>
    <message>
        <source>%1: the name &quot;%2&quot; is given to two sets</source>
        <translation>%1: имя «%2» дано двум наборам</translation>
    </message>
    <message>
        <source>%1: the name &quot;%2&quot; belongs to a shipped preset</source>
        <translation>%1: имя «%2» занято встроенным набором</translation>
    </message>
</context>
<context>
    <name>CLimitsDialog</name>
    <message>
        <source>not used</source>
        <translation>не задано</translation>
    </message>
    <message>
        <source>Pass/fail limits</source>
        <translation>Нормы приёмки</translation>
    </message>
    <message>
        <source>none</source>
        <translation>нет</translation>
    </message>
    <message>
        <source>Limit set:</source>
        <translation>Набор норм:</translation>
    </message>
    <message>
        <source>Span starts at event (without a launch cord):</source>
        <translation>Участок начинается с события (без начальной катушки):</translation>
    </message>
    <message>
        <source>Span ends at event (without a receive cord):</source>
        <translation>Участок кончается событием (без конечной катушки):</translation>
    </message>
    <message>
        <source>Import...</source>
        <translation>Импорт...</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Экспорт...</translation>
    </message>
    <message>
        <source>(traces are not judged)</source>
        <translation>(рефлектограммы не оцениваются)</translation>
    </message>
    <message>
        <source>Importing limit sets</source>
        <translation>Импорт наборов норм</translation>
    </message>
    <message>
        <source>The limit sets were not imported:
%1</source>
        <translation>Наборы норм не импортированы:
%1</translation>
    </message>
    <message>
        <source>Choose a limit set first.</source>
        <translation>Сначала выберите набор норм.</translation>
    </message>
    <message>
        <source>Exporting a limit set</source>
        <translation>Экспорт набора норм</translation>
    </message>
    <message>
        <source>Import limit sets</source>
        <translation>Импорт наборов норм</translation>
    </message>
    <message>
        <source>Limit sets (*.json);;All files (*)</source>
        <translation>Наборы норм (*.json);;Все файлы (*)</translation>
    </message>
    <message>
        <source>Export the limit set</source>
        <translation>Экспорт набора норм</translation>
    </message>
    <message>
        <source> dB</source>
        <translation> дБ</translation>
    </message>
    <message>
        <source>as the limit set says</source>
        <translation>как в наборе норм</translation>
    </message>
    <message>
        <source>A trace compared with the same fibre at another wavelength fails where the longer wavelength loses this much more than the shorter at one place (a bend)</source>
        <translation>Рефлектограмма, сравниваемая с тем же волокном на другой длине волны, бракуется там, где большая длина волны теряет в одном месте на столько больше меньшей (изгиб)</translation>
    </message>
    <message>
        <source>A bend fails above:</source>
        <translation>Изгиб — брак выше:</translation>
    </message>
    <message>
        <source>Launch cord [%1]:</source>
        <translation>Начальная катушка [%1]:</translation>
    </message>
    <message>
        <source>Receive cord [%1]:</source>
        <translation>Конечная катушка [%1]:</translation>
    </message>
    <message>
        <source>Type the cord length in %1: a number, 0 or more.</source>
        <translation>Введите длину катушки в %1: число не меньше 0.</translation>
    </message>
</context>
<context>
    <name>CLinkMap</name>
    <message>
        <source>Launch cord</source>
        <translation>Нормализующая катушка</translation>
    </message>
    <message>
        <source>Connector</source>
        <translation>Разъём</translation>
    </message>
    <message>
        <source>Splice</source>
        <translation>Сварка</translation>
    </message>
    <message>
        <source>Bend</source>
        <translation>Изгиб</translation>
    </message>
    <message>
        <source>Gainer</source>
        <translation>Усиление</translation>
    </message>
    <message>
        <source>Splitter-like loss</source>
        <translation>Потери как у сплиттера</translation>
    </message>
    <message>
        <source>Fibre end</source>
        <translation>Конец волокна</translation>
    </message>
    <message>
        <source>Receive cord</source>
        <translation>Приёмная катушка</translation>
    </message>
    <message>
        <source>%1 at %2</source>
        <translation>%1 на %2</translation>
    </message>
    <message>
        <source>Loss %1 dB</source>
        <translation>Потери %1 дБ</translation>
    </message>
    <message>
        <source>More loss at the longer wavelength than at %1 nm</source>
        <translation>На большей длине волны потери больше, чем на %1 нм</translation>
    </message>
    <message>
        <source>Pair by name or fibre IDs</source>
        <translation>Пара по имени файла или по кабелю и волокну</translation>
    </message>
    <message>
        <source>Compare with %1 (%2 nm)</source>
        <translation>Сравнить с %1 (%2 нм)</translation>
    </message>
    <message>
        <source>Compare with record %1 of this file (%2 nm)</source>
        <translation>Сравнить с записью %1 этого файла (%2 нм)</translation>
    </message>
</context>
<context>
    <name>CListOrder</name>
    <message>
        <source>By &amp;date</source>
        <translation>По &amp;дате</translation>
    </message>
    <message>
        <source>By &amp;wavelength</source>
        <translation>По длине &amp;волны</translation>
    </message>
    <message>
        <source>By &amp;length</source>
        <translation>По д&amp;лине</translation>
    </message>
    <message>
        <source>By &amp;name</source>
        <translation>По &amp;имени</translation>
    </message>
</context>
<context>
    <name>CMainOpt</name>
    <message>
        <source>Program options</source>
        <translation>Настройки программы</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Язык</translation>
    </message>
    <message>
        <source>Ask before deleting file</source>
        <translation>Спрашивать перед удалением файла</translation>
    </message>
    <message>
        <source>Deleted files go to the trash</source>
        <translation>Удалённые файлы попадают в корзину</translation>
    </message>
    <message>
        <source>Enable full edit mode for file information</source>
        <translation>Разрешить полное редактирование информации о файле</translation>
    </message>
    <message>
        <source>Language changed</source>
        <translation>Язык изменён</translation>
    </message>
    <message>
        <source>8-bit text in files marked English</source>
        <translation>8-битный текст в файлах с пометкой English</translation>
    </message>
    <message>
        <source>Windows-1251 reads the Cyrillic texts some instruments store under English; Windows-1252 the Western European ones. Files read afterwards use it.</source>
        <translation>Windows-1251 читает кириллические тексты, которые некоторые приборы записывают с английской пометкой; Windows-1252 — западноевропейские. Действует на файлы, прочитанные после выбора.</translation>
    </message>
    <message>
        <source>Trace analysis, where a file sets no threshold</source>
        <translation>Анализ рефлектограмм, если порог не задан в файле</translation>
    </message>
    <message>
        <source> dB</source>
        <translation> дБ</translation>
    </message>
    <message>
        <source>Loss threshold</source>
        <translation>Порог потерь</translation>
    </message>
    <message>
        <source>Reflectance threshold</source>
        <translation>Порог отражения</translation>
    </message>
    <message>
        <source>End-of-fibre threshold</source>
        <translation>Порог конца волокна</translation>
    </message>
    <message>
        <source>Bend threshold between wavelengths</source>
        <translation>Порог изгиба между длинами волн</translation>
    </message>
    <message>
        <source>An event is a bend where its loss at the longer wavelength exceeds the loss at the shorter one by more than this</source>
        <translation>Событие считается изгибом, если его потери на большей длине волны превышают потери на меньшей больше чем на это значение</translation>
    </message>
    <message>
        <source>Connect to the instrument at start-up</source>
        <translation>Подключаться к прибору при запуске</translation>
    </message>
    <message>
        <source>Delete the traces on the instrument once downloaded</source>
        <translation>Удалять рефлектограммы в приборе после загрузки</translation>
    </message>
    <message>
        <source>Recommended: the same traces are then not downloaded twice</source>
        <translation>Рекомендуется: тогда одни и те же рефлектограммы не загружаются дважды</translation>
    </message>
    <message>
        <source>Plot background colour</source>
        <translation>Цвет фона графика</translation>
    </message>
    <message>
        <source>Restart the program to use the new language.</source>
        <translation>Перезапустите программу, чтобы сменить язык.</translation>
    </message>
</context>
<context>
    <name>CPrinter</name>
    <message>
        <source>Export PDF</source>
        <translation>Экспорт в PDF</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>Файлы PDF (*.pdf)</translation>
    </message>
    <message>
        <source>The report could not be written to %1:
%2</source>
        <translation>Не удалось записать отчёт в %1:
%2</translation>
    </message>
    <message>
        <source>Printing data...</source>
        <translation>Печать данных...</translation>
    </message>
    <message>
        <source>Lumetrix - Print preview (press Esc or close the window to leave)</source>
        <translation>Lumetrix - просмотр перед печатью (для выхода нажмите Esc или закройте окно)</translation>
    </message>
</context>
<context>
    <name>CPrinterList</name>
    <message>
        <source>Print files</source>
        <translation>Печать файлов</translation>
    </message>
    <message>
        <source>List of files for printing</source>
        <translation>Список файлов для печати</translation>
    </message>
    <message>
        <source>Note: You can select files for printing.</source>
        <translation>Примечание: можно выбрать несколько файлов для печати.</translation>
    </message>
    <message>
        <source>Work area - selected file</source>
        <translation>Рабочая область - выбранный файл</translation>
    </message>
</context>
<context>
    <name>CReportFacts</name>
    <message>
        <source>Location A:</source>
        <translation>Начало линии:</translation>
    </message>
    <message>
        <source>Location B:</source>
        <translation>Конец линии:</translation>
    </message>
    <message>
        <source>End-to-end loss:</source>
        <translation>Потери линии:</translation>
    </message>
    <message>
        <source>%1 dB</source>
        <translation>%1 дБ</translation>
    </message>
    <message>
        <source>Optical return loss:</source>
        <translation>Оптические возвратные потери:</translation>
    </message>
    <message>
        <source>№%1</source>
        <translation>№%1</translation>
    </message>
</context>
<context>
    <name>CReportPage</name>
    <message>
        <source>Lumetrix v.</source>
        <translation>Lumetrix v.</translation>
    </message>
    <message>
        <source> OTDR report</source>
        <translation> отчёт рефлектометра</translation>
    </message>
    <message>
        <source>The pages could not be drawn.</source>
        <translation>Не удалось нарисовать страницы.</translation>
    </message>
    <message>
        <source>&lt;table width = 100%&gt;&lt;tr&gt;&lt;td width = 25%&gt;Marker 1&lt;/td&gt;&lt;td width = 25%&gt;Marker 2&lt;/td&gt;&lt;td width = 25%&gt;&amp;nbsp;&lt;/td&gt;&lt;td width = 25%&gt;&amp;nbsp;&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;%1&lt;/td&gt;&lt;td&gt;%2&lt;/td&gt;&lt;td&gt;Distance 1-2&lt;/td&gt;&lt;td&gt;%3&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;%4dB&lt;/td&gt;&lt;td&gt;%5dB&lt;/td&gt;&lt;td&gt;Loss 1-2&lt;/td&gt;&lt;td&gt;%6dB&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;hr/&gt;%7</source>
        <translation>&lt;table width = 100%&gt;&lt;tr&gt;&lt;td width = 25%&gt;Маркер 1&lt;/td&gt;&lt;td width = 25%&gt;Маркер 2&lt;/td&gt;&lt;td width = 25%&gt;&amp;nbsp;&lt;/td&gt;&lt;td width = 25%&gt;&amp;nbsp;&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;%1&lt;/td&gt;&lt;td&gt;%2&lt;/td&gt;&lt;td&gt;Расстояние 1-2&lt;/td&gt;&lt;td&gt;%3&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;%4 дБ&lt;/td&gt;&lt;td&gt;%5 дБ&lt;/td&gt;&lt;td&gt;Потери 1-2&lt;/td&gt;&lt;td&gt;%6 дБ&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;hr/&gt;%7</translation>
    </message>
    <message>
        <source>&lt;font Arial 16&gt;&lt;table width = 100%&gt;&lt;tr&gt;&lt;td align=&quot;left&quot;&gt;%13&lt;/td&gt;&lt;td align = &quot;right&quot;&gt;%14&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;hr&gt;&lt;table&gt;&lt;tr&gt;&lt;td width=15%&gt;File:&lt;/td&gt;&lt;td&gt;%1&lt;/td&gt;&lt;/tr&gt; &lt;tr&gt;&lt;td&gt;Date:&lt;/td&gt;&lt;td&gt;%2&lt;/td&gt;&lt;/tr&gt; &lt;tr&gt;&lt;td&gt;Device:&lt;/td&gt;&lt;td&gt;%3&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;hr /&gt;&lt;table&gt;&lt;tr&gt;&lt;td width=15%&gt;Wavelength:&lt;/td&gt;&lt;td&gt;%4nm&lt;/td&gt;&lt;/tr&gt; &lt;tr&gt;&lt;td&gt;Pulse width:&lt;/td&gt;&lt;td&gt;%5ns&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;Index:&lt;/td&gt;&lt;td&gt;%6&lt;/td&gt;&lt;/tr&gt; &lt;tr&gt;&lt;td&gt;Length:&lt;/td&gt;&lt;td&gt;%7&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;hr /&gt;&lt;table&gt;&lt;tr&gt;&lt;td width=15%&gt;Averages:&lt;/td&gt;&lt;td&gt;%8 &lt;/td&gt;&lt;/tr&gt; &lt;tr&gt;&lt;td&gt;Operator:&lt;/td&gt;&lt;td&gt;%9 &lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;CableId:&lt;/td&gt;&lt;td&gt;%10 &lt;/td&gt;&lt;/tr&gt; &lt;tr&gt;&lt;td&gt;Fiber:&lt;/td&gt;&lt;td&gt;%11&lt;br&gt;&lt;/tr&gt;&lt;/table&gt;&lt;hr /&gt;&lt;table&gt;&lt;tr&gt;&lt;td width=15%&gt;Comment:&lt;/td&gt;&lt;td&gt;%12&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;</source>
        <translation>&lt;font Arial 16&gt;&lt;table width = 100%&gt;&lt;tr&gt;&lt;td align=&quot;left&quot;&gt;%13&lt;/td&gt;&lt;td align = &quot;right&quot;&gt;%14&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;hr&gt;&lt;table&gt;&lt;tr&gt;&lt;td width=25%&gt;Файл:&lt;/td&gt;&lt;td&gt;%1&lt;/td&gt;&lt;/tr&gt; &lt;tr&gt;&lt;td&gt;Дата:&lt;/td&gt;&lt;td&gt;%2&lt;/td&gt;&lt;/tr&gt; &lt;tr&gt;&lt;td&gt;Прибор:&lt;/td&gt;&lt;td&gt;%3&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;hr /&gt;&lt;table&gt;&lt;tr&gt;&lt;td width=25%&gt;Длина волны:&lt;/td&gt;&lt;td&gt;%4 нм&lt;/td&gt;&lt;/tr&gt; &lt;tr&gt;&lt;td&gt;Длительность импульса:&lt;/td&gt;&lt;td&gt;%5 нс&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;Показатель преломления:&lt;/td&gt;&lt;td&gt;%6&lt;/td&gt;&lt;/tr&gt; &lt;tr&gt;&lt;td&gt;Длина:&lt;/td&gt;&lt;td&gt;%7&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;hr /&gt;&lt;table&gt;&lt;tr&gt;&lt;td width=25%&gt;Усреднения:&lt;/td&gt;&lt;td&gt;%8 &lt;/td&gt;&lt;/tr&gt; &lt;tr&gt;&lt;td&gt;Оператор:&lt;/td&gt;&lt;td&gt;%9 &lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;Кабель:&lt;/td&gt;&lt;td&gt;%10 &lt;/td&gt;&lt;/tr&gt; &lt;tr&gt;&lt;td&gt;Волокно:&lt;/td&gt;&lt;td&gt;%11&lt;br&gt;&lt;/tr&gt;&lt;/table&gt;&lt;hr /&gt;&lt;table&gt;&lt;tr&gt;&lt;td width=25%&gt;Комментарий:&lt;/td&gt;&lt;td&gt;%12&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;</translation>
    </message>
</context>
<context>
    <name>CSaveList</name>
    <message>
        <source>Saving modified files</source>
        <translation>Сохранение изменённых файлов</translation>
    </message>
    <message>
        <source>Some files were changed, but not saved.
Save the following selected files?</source>
        <translation>Некоторые файлы были изменены, но не сохранены.
Сохранить выбранные файлы?</translation>
    </message>
    <message>
        <source>Note: You can deselect saving files.</source>
        <translation>Примечание: с файлов, которые не нужно сохранять, можно снять выделение.</translation>
    </message>
    <message>
        <source>Save selected</source>
        <translation>Сохранить выбранные</translation>
    </message>
    <message>
        <source>Close without saving</source>
        <translation>Закрыть без сохранения</translation>
    </message>
</context>
<context>
    <name>CTracePainter</name>
    <message>
        <source>dB</source>
        <translation>дБ</translation>
    </message>
    <message>
        <source>dB/km</source>
        <translation>дБ/км</translation>
    </message>
</context>
<context>
    <name>CVerdict</name>
    <message>
        <source>the span&apos;s event %1 does not exist</source>
        <translation>события %1, заданного для участка, нет</translation>
    </message>
    <message>
        <source>no events</source>
        <translation>нет событий</translation>
    </message>
    <message>
        <source>the span is empty</source>
        <translation>участок пуст</translation>
    </message>
    <message>
        <source>PASS</source>
        <translation>НОРМА</translation>
    </message>
    <message>
        <source>WARN</source>
        <translation>ВНИМАНИЕ</translation>
    </message>
    <message>
        <source>FAIL</source>
        <translation>НЕ НОРМА</translation>
    </message>
    <message>
        <source>loss</source>
        <translation>потери</translation>
    </message>
    <message>
        <source>reflectance</source>
        <translation>отражение</translation>
    </message>
    <message>
        <source>attenuation</source>
        <translation>затухание</translation>
    </message>
    <message>
        <source>span loss</source>
        <translation>потери участка</translation>
    </message>
    <message>
        <source>span length</source>
        <translation>длина участка</translation>
    </message>
    <message>
        <source>span ORL</source>
        <translation>ORL участка</translation>
    </message>
    <message>
        <source>dB/km</source>
        <translation>дБ/км</translation>
    </message>
    <message>
        <source>dB</source>
        <translation>дБ</translation>
    </message>
    <message>
        <source>event %1 %2</source>
        <translation>событие %1: %2</translation>
    </message>
    <message>
        <source>fail below %1</source>
        <translation>не норма ниже %1</translation>
    </message>
    <message>
        <source>fail above %1</source>
        <translation>не норма выше %1</translation>
    </message>
    <message>
        <source>warning below %1</source>
        <translation>внимание ниже %1</translation>
    </message>
    <message>
        <source>warning above %1</source>
        <translation>внимание выше %1</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>span %1-%2 (%3)</source>
        <translation>участок %1–%2 (%3)</translation>
    </message>
    <message>
        <source>bend</source>
        <translation>изгиб</translation>
    </message>
</context>
<context>
    <name>CVerdictCells</name>
    <message>
        <source>Outside the span: not tested</source>
        <translation>Вне участка: не проверяется</translation>
    </message>
    <message>
        <source>%1   (limits %2)</source>
        <translation>%1   (нормы %2)</translation>
    </message>
    <message>
        <source>%1   (limits %2, %3)</source>
        <translation>%1   (нормы %2, %3)</translation>
    </message>
</context>
<context>
    <name>CVerdictHtml</name>
    <message>
        <source>, loss %1 dB</source>
        <translation>, потери %1 дБ</translation>
    </message>
    <message>
        <source>, ORL %1 dB</source>
        <translation>, ORL %1 дБ</translation>
    </message>
    <message>
        <source>&lt;hr/&gt;&lt;table width = 100%&gt;&lt;tr&gt;&lt;td width=15%&gt;Limits:&lt;/td&gt;&lt;td&gt;%1&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;Span:&lt;/td&gt;&lt;td&gt;%2&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;Verdict:&lt;/td&gt;%3&lt;/tr&gt;</source>
        <translation>&lt;hr/&gt;&lt;table width = 100%&gt;&lt;tr&gt;&lt;td width=15%&gt;Нормы:&lt;/td&gt;&lt;td&gt;%1&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;Участок:&lt;/td&gt;&lt;td&gt;%2&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;Оценка:&lt;/td&gt;%3&lt;/tr&gt;</translation>
    </message>
    <message>
        <source>&lt;tr&gt;&lt;td&gt;Marked:&lt;/td&gt;&lt;td&gt;%1&lt;/td&gt;&lt;/tr&gt;</source>
        <translation>&lt;tr&gt;&lt;td&gt;Отмечено:&lt;/td&gt;&lt;td&gt;%1&lt;/td&gt;&lt;/tr&gt;</translation>
    </message>
</context>
<context>
    <name>CViewChoices</name>
    <message>
        <source>Distance &amp;unit</source>
        <translation>&amp;Единица расстояния</translation>
    </message>
    <message>
        <source>As in each &amp;file</source>
        <translation>Как в каждом &amp;файле</translation>
    </message>
    <message>
        <source>&amp;Sort list</source>
        <translation>&amp;Сортировка списка</translation>
    </message>
</context>
<context>
    <name>CWavelengthPair</name>
    <message>
        <source>Both traces are taken at %1 nm: a bend shows only as the difference between two wavelengths.</source>
        <translation>Обе рефлектограммы сняты на %1 нм: изгиб виден только как разница между двумя длинами волн.</translation>
    </message>
    <message>
        <source>The %1 nm trace has no events%2.</source>
        <translation>На рефлектограмме %1 нм нет событий%2.</translation>
    </message>
    <message>
        <source>The traces are of different fibres: the fibre ends at %1 m at %2 nm and at %3 m at %4 nm.</source>
        <translation>Рефлектограммы разных волокон: волокно кончается на %1 м при %2 нм и на %3 м при %4 нм.</translation>
    </message>
</context>
<context>
    <name>CWindowConveniences</name>
    <message>
        <source>Compare &amp;legend</source>
        <translation>&amp;Легенда сравнения</translation>
    </message>
    <message>
        <source>Show the colour, file name and wavelength of each compared trace</source>
        <translation>Показывать цвет, имя файла и длину волны каждой сравниваемой рефлектограммы</translation>
    </message>
    <message>
        <source>Recent &amp;folders</source>
        <translation>&amp;Недавние папки</translation>
    </message>
</context>
<context>
    <name>EExchangeParameters</name>
    <message>
        <source>The instrument&apos;s parameters are not valid.
The instrument is probably not a compatible one, or it is not connected.</source>
        <translation>Параметры прибора неверны.
Вероятно, прибор несовместим или не подключён.</translation>
    </message>
</context>
<context>
    <name>EFileAccessError</name>
    <message>
        <source>File access error</source>
        <translation>Ошибка доступа к файлу</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>нет такого файла</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>доступ запрещён</translation>
    </message>
    <message>
        <source>disk full</source>
        <translation>диск заполнен</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
</context>
<context>
    <name>EFileLoadInvalidFormat</name>
    <message>
        <source>Format of loaded file is no Bellcore v1.0 format</source>
        <translation>Формат загруженного файла не соответствует Bellcore v1.0</translation>
    </message>
    <message>
        <source>the block %1 ends %2 bytes before its announced size</source>
        <translation>блок %1 кончается на %2 байт раньше заявленного размера</translation>
    </message>
    <message>
        <source>the fields of the block %1 do not read as its %2 bytes announce</source>
        <translation>поля блока %1 не читаются так, как заявляют его %2 байт</translation>
    </message>
    <message>
        <source>the block map cannot be read</source>
        <translation>карту блоков невозможно прочитать</translation>
    </message>
    <message>
        <source>The file is a damaged trace of the later layout</source>
        <translation>Файл — повреждённая рефлектограмма формата второй редакции</translation>
    </message>
    <message>
        <source>the block %1 holds no samples</source>
        <translation>в блоке %1 нет отсчётов</translation>
    </message>
    <message>
        <source>the file has no block %1</source>
        <translation>в файле нет блока %1</translation>
    </message>
</context>
<context>
    <name>EInternalError</name>
    <message>
        <source>Application internal error</source>
        <translation>Внутренняя ошибка программы</translation>
    </message>
    <message>
        <source>the file&apos;s code page (%1) has no character &quot;%2&quot;</source>
        <translation>в кодовой странице файла (%1) нет символа «%2»</translation>
    </message>
</context>
<context>
    <name>Exception</name>
    <message>
        <source>Unexpected error</source>
        <translation>Непредвиденная ошибка</translation>
    </message>
    <message>
        <source>Error code is %1</source>
        <translation>Код ошибки: %1</translation>
    </message>
</context>
<context>
    <name>IARMessageBox</name>
    <message>
        <source>Ignore all</source>
        <translation>Пропустить все</translation>
    </message>
</context>
<context>
    <name>IDeviceConnector::ESending</name>
    <message>
        <source>Error of sending</source>
        <translation>Ошибка отправки</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Lumetrix</source>
        <translation>Lumetrix</translation>
    </message>
    <message>
        <source>&amp;Change folder</source>
        <translation>&amp;Сменить папку</translation>
    </message>
    <message>
        <source>Change folder</source>
        <translation>Сменить папку</translation>
    </message>
    <message>
        <source>Sa&amp;ve all</source>
        <translation>Сохранить &amp;все</translation>
    </message>
    <message>
        <source>Save all</source>
        <translation>Сохранить все</translation>
    </message>
    <message>
        <source>Save all traces</source>
        <translation>Сохранить все рефлектограммы</translation>
    </message>
    <message>
        <source>Add copy files from other folder</source>
        <translation>Добавить копии файлов из другой папки</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>Со&amp;хранить</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Сохранить</translation>
    </message>
    <message>
        <source>Save &amp;copy to...</source>
        <translation>Сохранить &amp;копию в...</translation>
    </message>
    <message>
        <source>Save copy to another folder</source>
        <translation>Сохранить копию в другую папку</translation>
    </message>
    <message>
        <source>Rena&amp;me</source>
        <translation>&amp;Переименовать</translation>
    </message>
    <message>
        <source>Rename file</source>
        <translation>Переименовать файл</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Удалить</translation>
    </message>
    <message>
        <source>Delete selected files</source>
        <translation>Удалить выбранные файлы</translation>
    </message>
    <message>
        <source>&amp;Uncheck all	Esc</source>
        <translation>С&amp;нять все отметки	Esc</translation>
    </message>
    <message>
        <source>Uncheck all</source>
        <translation>Снять все отметки</translation>
    </message>
    <message>
        <source>&amp;Information</source>
        <translation>&amp;Информация</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Информация</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>Пе&amp;чать</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Печать</translation>
    </message>
    <message>
        <source>Pre&amp;view</source>
        <translation>Просмотр пе&amp;ред печатью</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Просмотр перед печатью</translation>
    </message>
    <message>
        <source>Page prop&amp;erties</source>
        <translation>Параметры с&amp;траницы</translation>
    </message>
    <message>
        <source>Page properties</source>
        <translation>Параметры страницы</translation>
    </message>
    <message>
        <source>Op&amp;tions</source>
        <translation>Настро&amp;йки</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>В&amp;ыход</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Выход</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Файл</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Файл</translation>
    </message>
    <message>
        <source>&amp;Connect</source>
        <translation>&amp;Подключить</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Подключить</translation>
    </message>
    <message>
        <source>Dis&amp;connect</source>
        <translation>&amp;Отключить</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Отключить</translation>
    </message>
    <message>
        <source>Measu&amp;rement</source>
        <translation>&amp;Измерение</translation>
    </message>
    <message>
        <source>Measurement</source>
        <translation>Измерение</translation>
    </message>
    <message>
        <source>&amp;Load all</source>
        <translation>&amp;Загрузить все</translation>
    </message>
    <message>
        <source>Load all</source>
        <translation>Загрузить все</translation>
    </message>
    <message>
        <source>Cl&amp;ear memory</source>
        <translation>О&amp;чистить память</translation>
    </message>
    <message>
        <source>Clear memory</source>
        <translation>Очистить память</translation>
    </message>
    <message>
        <source>&amp;Properties</source>
        <translation>П&amp;араметры</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Параметры</translation>
    </message>
    <message>
        <source>&amp;Update clock</source>
        <translation>&amp;Установить часы</translation>
    </message>
    <message>
        <source>Update clock</source>
        <translation>Установить часы</translation>
    </message>
    <message>
        <source>&amp;Device</source>
        <translation>&amp;Рефлектометр</translation>
    </message>
    <message>
        <source>Device toolbar</source>
        <translation>Рефлектометр</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Увеличить</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Уменьшить</translation>
    </message>
    <message>
        <source>Reset zoom</source>
        <translation>Сбросить масштаб</translation>
    </message>
    <message>
        <source>Zoom X in</source>
        <translation>Увеличить по X</translation>
    </message>
    <message>
        <source>Zoom X out</source>
        <translation>Уменьшить по X</translation>
    </message>
    <message>
        <source>Reset zoom X</source>
        <translation>Сбросить масштаб по X</translation>
    </message>
    <message>
        <source>Set &amp;left marker</source>
        <translation>Установить &amp;левый маркер</translation>
    </message>
    <message>
        <source>Set left marker</source>
        <translation>Установить левый маркер</translation>
    </message>
    <message>
        <source>Set &amp;right marker</source>
        <translation>Установить &amp;правый маркер</translation>
    </message>
    <message>
        <source>Set right marker</source>
        <translation>Установить правый маркер</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Вид</translation>
    </message>
    <message>
        <source>View toolbar</source>
        <translation>Вид</translation>
    </message>
    <message>
        <source>Measure &amp;splice</source>
        <translation>Измерить &amp;сварку</translation>
    </message>
    <message>
        <source>Measure splice</source>
        <translation>Измерить сварку</translation>
    </message>
    <message>
        <source>Measure &amp;reflection</source>
        <translation>Измерить &amp;отражение</translation>
    </message>
    <message>
        <source>Measure reflection</source>
        <translation>Измерить отражение</translation>
    </message>
    <message>
        <source>Add &amp;event</source>
        <translation>&amp;Добавить событие</translation>
    </message>
    <message>
        <source>Add event</source>
        <translation>Добавить событие</translation>
    </message>
    <message>
        <source>&amp;Lock markers</source>
        <translation>&amp;Закрепить маркеры</translation>
    </message>
    <message>
        <source>Lock markers to fix their distance</source>
        <translation>Закрепить маркеры, сохраняя расстояние между ними</translation>
    </message>
    <message>
        <source>Delete event</source>
        <translation>Удалить событие</translation>
    </message>
    <message>
        <source>&amp;Edit comment</source>
        <translation>&amp;Изменить комментарий</translation>
    </message>
    <message>
        <source>Edit comment</source>
        <translation>Изменить комментарий</translation>
    </message>
    <message>
        <source>&amp;Events</source>
        <translation>Со&amp;бытия</translation>
    </message>
    <message>
        <source>Events toolbar</source>
        <translation>События</translation>
    </message>
    <message>
        <source>&amp;Help topics</source>
        <translation>Разделы &amp;справки</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Справка</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;О программе</translation>
    </message>
    <message>
        <source>About</source>
        <translation>О программе</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Справка</translation>
    </message>
    <message>
        <source>Move &amp;Left cursor here</source>
        <translation>Левый к&amp;урсор сюда</translation>
    </message>
    <message>
        <source>Move &amp;Left here</source>
        <translation>&amp;Левый маркер сюда</translation>
    </message>
    <message>
        <source>Move &amp;Center cursor here</source>
        <translation>&amp;Центральный курсор сюда</translation>
    </message>
    <message>
        <source>Move &amp;Right here</source>
        <translation>&amp;Правый маркер сюда</translation>
    </message>
    <message>
        <source>Move &amp;Right cursor here</source>
        <translation>Правый кур&amp;сор сюда</translation>
    </message>
    <message>
        <source>Zoom reset</source>
        <translation>Масштаб сброшен</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Подключён</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Не подключён</translation>
    </message>
    <message>
        <source>Processor programm for Bellcore files ver. %1</source>
        <translation>Программа обработки файлов Bellcore, версия %1</translation>
    </message>
    <message>
        <source>Norvane, built with Qt %1</source>
        <translation>Norvane, собрано с Qt %1</translation>
    </message>
    <message>
        <source> s/n </source>
        <translation> с/н </translation>
    </message>
    <message>
        <source>Export PD&amp;F...</source>
        <translation>Экспорт в PD&amp;F...</translation>
    </message>
    <message>
        <source>Export the report as a PDF file</source>
        <translation>Экспортировать отчёт в файл PDF</translation>
    </message>
    <message>
        <source>Zoom %1 %2 × %3 %4</source>
        <translation>Масштаб %1 %2 × %3 %4</translation>
    </message>
    <message>
        <source>km</source>
        <translation>км</translation>
    </message>
    <message>
        <source>dB</source>
        <translation>дБ</translation>
    </message>
    <message>
        <source>&amp;Add copy from…</source>
        <translation>&amp;Добавить копию из…</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Отменить</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Повторить</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Правка</translation>
    </message>
    <message>
        <source>m</source>
        <translation>м</translation>
    </message>
    <message>
        <source>cm</source>
        <translation>см</translation>
    </message>
    <message>
        <source>File information</source>
        <translation>Информация о файле</translation>
    </message>
    <message>
        <source>A&amp;nalyze trace</source>
        <translation>&amp;Анализ рефлектограммы</translation>
    </message>
    <message>
        <source>Find and measure the events of the trace</source>
        <translation>Найти и измерить события рефлектограммы</translation>
    </message>
    <message>
        <source>Pass/fail &amp;limits...</source>
        <translation>&amp;Нормы приёмки...</translation>
    </message>
    <message>
        <source>Pass/fail limits</source>
        <translation>Нормы приёмки</translation>
    </message>
    <message>
        <source>Choose the limit set and the span the traces are judged by</source>
        <translation>Выбрать набор норм и участок, по которым оцениваются рефлектограммы</translation>
    </message>
    <message>
        <source>Expo&amp;rt</source>
        <translation>Экспо&amp;рт</translation>
    </message>
</context>
<context>
    <name>QValidator</name>
    <message>
        <source>Value can&apos;t be negative</source>
        <translation>Значение не может быть отрицательным</translation>
    </message>
    <message>
        <source>Value can&apos;t be positive (put &apos;-&apos; first)</source>
        <translation>Значение не может быть положительным (сначала введите &apos;-&apos;)</translation>
    </message>
    <message>
        <source>Value must be integer</source>
        <translation>Значение должно быть целым</translation>
    </message>
    <message>
        <source>Max digits count is %1</source>
        <translation>Наибольшее число цифр: %1</translation>
    </message>
    <message>
        <source> (can be zero)</source>
        <translation> (или ноль)</translation>
    </message>
    <message>
        <source>Enter numeric value from %1 to %2%3</source>
        <translation>Введите число от %1 до %2%3</translation>
    </message>
    <message>
        <source>Enter a numeric value</source>
        <translation>Введите число</translation>
    </message>
    <message>
        <source>Value can&apos;t be zero</source>
        <translation>Значение не может быть нулевым</translation>
    </message>
    <message>
        <source>Minimum value is %1</source>
        <translation>Наименьшее значение: %1</translation>
    </message>
    <message>
        <source>Maximum value is %1</source>
        <translation>Наибольшее значение: %1</translation>
    </message>
    <message>
        <source>Maximum string length is %1</source>
        <translation>Наибольшая длина строки: %1</translation>
    </message>
    <message>
        <source>The file&apos;s codepage has no character &quot;%1&quot;</source>
        <translation>В кодовой странице файла нет символа &quot;%1&quot;</translation>
    </message>
</context>
<context>
    <name>analysis::CTraceAnalyzer</name>
    <message>
        <source>sample spacing is 0</source>
        <translation>шаг отсчётов равен 0</translation>
    </message>
    <message>
        <source>pulse width is 0</source>
        <translation>длительность импульса равна 0</translation>
    </message>
    <message>
        <source>trace too short to analyse</source>
        <translation>рефлектограмма слишком коротка для анализа</translation>
    </message>
    <message>
        <source>all samples are equal</source>
        <translation>все отсчёты одинаковы</translation>
    </message>
    <message>
        <source>the trace is at the noise floor</source>
        <translation>рефлектограмма лежит на уровне шума</translation>
    </message>
</context>
<context>
    <name>sor::CFile</name>
    <message>
        <source>the trace changed or went away on disk while it was not held in memory; reload the file</source>
        <translation>рефлектограмма изменилась или исчезла с диска, пока не хранилась в памяти; загрузите файл заново</translation>
    </message>
    <message>
        <source>record %1 of the file is only read: the file is saved through its first record</source>
        <translation>запись %1 файла доступна только для чтения: файл сохраняется через его первую запись</translation>
    </message>
</context>
<context>
    <name>tLimitSet</name>
    <message>
        <source>the key &quot;%1&quot; is unknown or its value is not valid</source>
        <translation>ключ «%1» неизвестен или его значение недопустимо</translation>
    </message>
    <message>
        <source>the key &quot;name&quot; is missing or empty</source>
        <translation>ключ «name» отсутствует или пуст</translation>
    </message>
    <message>
        <source>the key &quot;levels&quot; holds an entry that is not an object</source>
        <translation>в ключе «levels» есть элемент, не являющийся объектом</translation>
    </message>
    <message>
        <source>the key &quot;%1&quot; is not a wavelength in nm</source>
        <translation>ключ «%1» — не длина волны в нм</translation>
    </message>
    <message>
        <source>the key &quot;%1&quot; is unknown or its value is not a number</source>
        <translation>ключ «%1» неизвестен или его значение — не число</translation>
    </message>
    <message>
        <source>the key &quot;%1&quot; is unknown</source>
        <translation>ключ «%1» неизвестен</translation>
    </message>
    <message>
        <source>the key &quot;%1&quot; has a warning level beyond its fail level</source>
        <translation>у ключа «%1» уровень внимания за уровнем «не норма»</translation>
    </message>
    <message>
        <source>the key &quot;wavelength&quot; repeats %1 nm</source>
        <translation>ключ «wavelength» повторяет %1 нм</translation>
    </message>
</context>
</TS>
