<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU" sourcelanguage="en">
<context>
    <name>CTraceWindow</name>
    <message>
        <source>Lumetrix</source>
        <translation>Lumetrix</translation>
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
</context>
</TS>
