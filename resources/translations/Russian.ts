<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU" sourcelanguage="en">
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
        <source>Are you sure to delete all files on device?</source>
        <translation>Вы уверены, что хотите удалить все файлы в приборе?</translation>
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
        <source>Can not be found devices or ports.
Try to install device driver (FTDI COM driver).
Check device connection and power supply.</source>
        <translation>Не удалось найти приборы или порты.
Попробуйте установить драйвер прибора (драйвер FTDI COM).
Проверьте подключение и питание прибора.</translation>
    </message>
    <message>
        <source>Delete files on the device</source>
        <translation>Удаление файлов в приборе</translation>
    </message>
    <message>
        <source>Are you sure to delete ALL files on the device?</source>
        <translation>Вы уверены, что хотите удалить ВСЕ файлы в приборе?</translation>
    </message>
</context>
<context>
    <name>CDeviceExchangeDlg</name>
    <message>
        <source>Wait for device communicates...</source>
        <translation>Ожидание связи с прибором...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>%v/%m sec</source>
        <translation>%v/%m с</translation>
    </message>
</context>
<context>
    <name>CDeviceExchanger</name>
    <message>
        <source>Device&apos;s file is invalid.
Probably, Probably, you use incompatible device</source>
        <translation>Файл прибора неверен.
Возможно, используется несовместимый прибор</translation>
    </message>
    <message>
        <source>Cannot receive device&apos;s identificator from port %1.
Probably, you use incompatible device or device is not connected.</source>
        <translation>Не удалось получить идентификатор прибора с порта %1.
Возможно, используется несовместимый прибор или прибор не подключён.</translation>
    </message>
    <message>
        <source>Invalid device&apos;s identificator received from port %1.
Probably, you use incompatible device.</source>
        <translation>С порта %1 получен неверный идентификатор прибора.
Возможно, используется несовместимый прибор.</translation>
    </message>
    <message>
        <source>Cannot connect to port %1.
Probably, port in using by another application.</source>
        <translation>Не удалось подключиться к порту %1.
Возможно, порт занят другим приложением.</translation>
    </message>
    <message>
        <source>Connected device isn&apos;t the requested  device (port %1). Please, re-connect the device.</source>
        <translation>Подключённый прибор не тот, что был выбран (порт %1). Переподключите прибор.</translation>
    </message>
    <message>
        <source>Error of request measurement.
Probably, you use incompatible device.</source>
        <translation>Ошибка запроса измерения.
Возможно, используется несовместимый прибор.</translation>
    </message>
    <message>
        <source>Number of files is incorrect.
Probably, you use incompatible device.</source>
        <translation>Неверное число файлов.
Возможно, используется несовместимый прибор.</translation>
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
</context>
<context>
    <name>CEventList</name>
    <message>
        <source>Event %1</source>
        <translation>Событие %1</translation>
    </message>
    <message>
        <source>Distance [km]</source>
        <translation>Расстояние [км]</translation>
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
        <source>Length [km]</source>
        <translation>Длина [км]</translation>
    </message>
    <message>
        <source>Total loss [dB]</source>
        <translation>Суммарные потери [дБ]</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>Комментарий</translation>
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
</context>
<context>
    <name>CFileList</name>
    <message>
        <source>Bellcore v1.0 files (*.sor);;All files (*.*)</source>
        <translation>Файлы Bellcore v1.0 (*.sor);;Все файлы (*.*)</translation>
    </message>
    <message>
        <source>Loading file &quot;%1&quot; problem</source>
        <translation>Проблема при загрузке файла &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Loading file &quot;%1&quot; error</source>
        <translation>Ошибка загрузки файла &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Requested codepage not present (file loaded)
</source>
        <translation>Кодовая страница не указана (файл загружен)
</translation>
    </message>
    <message>
        <source>CRC block not present (file loaded)
</source>
        <translation>Блок контрольной суммы отсутствует (файл загружен)
</translation>
    </message>
    <message>
        <source>Invalid file CRC (file loaded)
</source>
        <translation>Неверная контрольная сумма файла (файл загружен)
</translation>
    </message>
    <message>
        <source>warnings file &quot;%1&quot; loading found</source>
        <translation>Предупреждения при загрузке файла &quot;%1&quot;</translation>
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
        <source>Saving file &quot;%1&quot; problem</source>
        <translation>Проблема при сохранении файла &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Saving file &quot;%1&quot; error</source>
        <translation>Ошибка при сохранении файла &quot;%1&quot;</translation>
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
        <source>Copying file &quot;%1&quot; problem</source>
        <translation>Проблема при копировании файла &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Copying file &quot;%1&quot; error</source>
        <translation>Ошибка при копировании файла &quot;%1&quot;</translation>
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
        <source>Filename is already exist</source>
        <translation>Файл с таким именем уже есть в списке</translation>
    </message>
    <message>
        <source>Adding file %1 problem</source>
        <translation>Проблема при добавлении файла %1</translation>
    </message>
    <message>
        <source>System error on copy a file %1 to location  %2</source>
        <translation>Системная ошибка при копировании файла %1 в  %2</translation>
    </message>
    <message>
        <source>Rename file &quot;%1&quot;</source>
        <translation>Переименование файла &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Filename cannot contain symbols %1</source>
        <translation>Имя файла не может содержать символы %1</translation>
    </message>
    <message>
        <source>File &quot;%1&quot; already exist.</source>
        <translation>Файл &quot;%1&quot; уже существует.</translation>
    </message>
    <message>
        <source>Renaming file &quot;%1&quot; problem</source>
        <translation>Проблема при переименовании файла &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Renaming file &quot;%1&quot; error</source>
        <translation>Ошибка при переименовании файла &quot;%1&quot;</translation>
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
        <source>Deleting file &quot;%1&quot; problem</source>
        <translation>Проблема при удалении файла &quot;%1&quot;</translation>
    </message>
    <message>
        <source>File &quot;%1&quot; cannot be moved to the trash, so it was not deleted.</source>
        <translation>Файл &quot;%1&quot; нельзя переместить в корзину, поэтому он не удалён.</translation>
    </message>
    <message>
        <source>Open project folder</source>
        <translation>Открыть папку проекта</translation>
    </message>
    <message>
        <source>Directory selection problem</source>
        <translation>Проблема выбора папки</translation>
    </message>
    <message>
        <source>Cannot select directory &quot;%1&quot;</source>
        <translation>Не удаётся выбрать папку &quot;%1&quot;</translation>
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
        <source>Wave length</source>
        <translation>Длина волны</translation>
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
        <source>Num of Over</source>
        <translation>Усреднений</translation>
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
        <source>Diapasone</source>
        <translation>Диапазон</translation>
    </message>
    <message>
        <source>km</source>
        <translation>км</translation>
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
        <source>Att.coeff</source>
        <translation>Коэф. зат.</translation>
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
</context>
<context>
    <name>CGraphPix</name>
    <message>
        <source>%1km %2dB</source>
        <comment>Tooltip moving marker</comment>
        <translation>%1км %2дБ</translation>
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
    <name>EExchangeParameters</name>
    <message>
        <source>Device parameters are invalid.
Probably, you use incompatible device or device is not connected.</source>
        <translation>Параметры прибора неверны.
Возможно, используется несовместимый прибор или прибор не подключён.</translation>
    </message>
</context>
<context>
    <name>EFileAccessError</name>
    <message>
        <source>File access error</source>
        <translation>Ошибка доступа к файлу</translation>
    </message>
</context>
<context>
    <name>EFileLoadInvalidFormat</name>
    <message>
        <source>Format of loaded file is no Bellcore v1.0 format</source>
        <translation>Формат загруженного файла не соответствует Bellcore v1.0</translation>
    </message>
</context>
<context>
    <name>EInternalError</name>
    <message>
        <source>Application internal error</source>
        <translation>Внутренняя ошибка программы</translation>
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
        <source>&amp;Add copy from..</source>
        <translation>&amp;Добавить копию из..</translation>
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
        <source>Clear Memory</source>
        <translation>Очистить память</translation>
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
        <source>Reset zoom X </source>
        <translation>Сбросить масштаб по X</translation>
    </message>
    <message>
        <source>Reset zoom X off</source>
        <translation>Сбросить масштаб по X</translation>
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
        <source>delete event</source>
        <translation>удалить событие</translation>
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
        <source>meters</source>
        <translation>м</translation>
    </message>
    <message>
        <source>centimetres</source>
        <translation>см</translation>
    </message>
    <message>
        <source>kilometers</source>
        <translation>км</translation>
    </message>
    <message>
        <source>Zoom %1%2 x %3dB</source>
        <translation>Масштаб %1%2 x %3дБ</translation>
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
</TS>
