<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>MainWindow</name>
    <message>
        <source>Tramola</source>
        <translation>Tramola</translation>
    </message>
    <message>
        <source>Statistiques</source>
        <translation>Statistiques</translation>
    </message>
</context>
</TS>
