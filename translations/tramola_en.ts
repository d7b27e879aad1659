<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="fr_FR">
<context>
    <name>AnalysisJob</name>
    <message>
        <source>Statistiques</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>Chargement</source>
        <translation>Loading</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>AnalysisRunner</name>
    <message>
        <source>Aucun relevé au-dessus de %1 %2 dans la période.</source>
        <translation>No reading above %1 %2 in the period.</translation>
    </message>
    <message>
        <source>Ouverture %1 impossible</source>
        <translation>Cannot open %1</translation>
    </message>
    <message>
        <source>Statistiques indisponibles</source>
        <translation>Statistics unavailable</translation>
    </message>
    <message>
        <source>Statistiques indisponibles, la base de données est vide</source>
        <translation>Statistics unavailable, the database is empty</translation>
    </message>
    <message>
        <source>Campagne inconnue : %1 (campagnes : %2)</source>
        <translation>Unknown campaign: %1 (campaigns: %2)</translation>
    </message>
    <message>
        <source>Campagnes ignorées, d&apos;un autre mode de stockage que la première cochée : %1</source>
        <translation>Campaigns left out, of another store mode than the first one ticked: %1</translation>
    </message>
    <message>
        <source>Campagnes intermédiaires ajoutées pour la continuité des données : %1</source>
        <translation>Campaigns in between added for continuous data: %1</translation>
    </message>
    <message>
        <source>Période des campagnes illisible</source>
        <translation>The campaigns&apos; period cannot be read</translation>
    </message>
    <message>
        <source>Ce n&apos;est pas un fichier ordinaire : %1</source>
        <translation>Not a regular file: %1</translation>
    </message>
    <message>
        <source>Fichier introuvable : %1</source>
        <translation>File not found: %1</translation>
    </message>
    <message>
        <source>Fichier illisible : %1</source>
        <translation>File cannot be read: %1</translation>
    </message>
    <message>
        <source>Fichier de zones introuvable : %1</source>
        <translation>Speed area file not found: %1</translation>
    </message>
    <message>
        <source>Connexion base de données...</source>
        <translation>Connecting to the database...</translation>
    </message>
    <message>
        <source>Fichier de zones illisible (%1), zones par défaut : %2</source>
        <translation>Speed area file cannot be read (%1), default areas: %2</translation>
    </message>
    <message>
        <source>Zone de vitesse inconnue : %1 (zones : %2)</source>
        <translation>Unknown speed area: %1 (areas: %2)</translation>
    </message>
    <message>
        <source>Période trop longue pour un seuil de %1 minutes : %2 à %3</source>
        <translation>Period too long for a %1-minute bucket: %2 to %3</translation>
    </message>
    <message>
        <source>Calcul des statistiques</source>
        <translation>Computing the statistics</translation>
    </message>
    <message>
        <source>Vitesses Moyennes/Maximales indisponibles</source>
        <translation>Mean/maximum speeds unavailable</translation>
    </message>
    <message>
        <source>Analyse annulée</source>
        <translation>Analysis cancelled</translation>
    </message>
    <message>
        <source>mode de la campagne</source>
        <translation>the campaign&apos;s mode</translation>
    </message>
    <message>
        <source>mode de la campagne ; les relevés : %1</source>
        <translation>the campaign&apos;s mode; the readings: %1</translation>
    </message>
    <message>
        <source>Les relevés ne suivent pas le mode de stockage des campagnes (%1) : le diviseur suit les campagnes.</source>
        <translation>The readings do not follow the campaigns&apos; store mode (%1): the divider follows the campaigns.</translation>
    </message>
</context>
<context>
    <name>AreaImportDialog</name>
    <message>
        <source>Importation</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>Importer</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>BeforeAfter</name>
    <message>
        <source>Avant (A) : %1</source>
        <translation>Before (A): %1</translation>
    </message>
    <message>
        <source>Après (B) : %1</source>
        <translation>After (B): %1</translation>
    </message>
    <message>
        <source>aucune</source>
        <translation>none</translation>
    </message>
    <message>
        <source>Unités différentes : A en %1, B en %2 ; une comparaison demande deux fichiers de mêmes unités.</source>
        <translation>Different units: A in %1, B in %2; a comparison needs two files of the same units.</translation>
    </message>
    <message>
        <source>Limites enregistrées différentes (A : %1, B : %2) : la comparaison retient celle de A.</source>
        <translation>Different stored limits (A: %1, B: %2): the comparison takes A&apos;s.</translation>
    </message>
    <message>
        <source>Aucun sens de circulation commun à A et B : rien à comparer.</source>
        <translation>No direction of traffic common to A and B: nothing to compare.</translation>
    </message>
</context>
<context>
    <name>BucketTableModel</name>
    <message>
        <source>Entrant</source>
        <translation>Inbound</translation>
    </message>
    <message>
        <source>Sortant</source>
        <translation>Outbound</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Nombre de relevés</source>
        <translation>Readings</translation>
    </message>
    <message>
        <source>Nombre de relevés (sans diviseur)</source>
        <translation>Readings (no divider)</translation>
    </message>
    <message>
        <source>Nombre véhicules (relevés / %1)</source>
        <translation>Vehicles (readings / %1)</translation>
    </message>
    <message>
        <source>Nombre véhicules</source>
        <translation>Vehicles</translation>
    </message>
    <message>
        <source>Vitesse moyenne</source>
        <translation>Mean speed</translation>
    </message>
    <message>
        <source>Vitesse maximale</source>
        <translation>Maximum speed</translation>
    </message>
    <message>
        <source>Sens</source>
        <translation>Direction</translation>
    </message>
</context>
<context>
    <name>BucketTableTab</name>
    <message>
        <source>&lt;body&gt;&lt;h2&gt;Historique des mesures&lt;/h2&gt;&lt;hr/&gt;&lt;table class=&quot;sample&quot; width=100%&gt;</source>
        <translation>&lt;body&gt;&lt;h2&gt;Measure history&lt;/h2&gt;&lt;hr/&gt;&lt;table class=&quot;sample&quot; width=100%&gt;</translation>
    </message>
</context>
<context>
    <name>CampaignChoiceDialog</name>
    <message>
        <source>&lt;b&gt;Campagnes statistiques&lt;/b&gt;</source>
        <translation>&lt;b&gt;Statistics campaigns&lt;/b&gt;</translation>
    </message>
    <message>
        <source>Effacer</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Tout sélectionner</source>
        <translation>Select all</translation>
    </message>
    <message>
        <source>Campagne du %1</source>
        <translation>Campaign of %1</translation>
    </message>
    <message>
        <source>Campagnes</source>
        <translation>Campaigns</translation>
    </message>
    <message>
        <source>Inverser la sélection</source>
        <translation>Invert the selection</translation>
    </message>
</context>
<context>
    <name>CampaignDescriptionDialog</name>
    <message>
        <source>&lt;b&gt;Informations sur la campagne statistiques&lt;/b&gt;</source>
        <translation>&lt;b&gt;Statistics campaign information&lt;/b&gt;</translation>
    </message>
    <message>
        <source>Date de début</source>
        <translation>Start date</translation>
    </message>
    <message>
        <source>Date de fin</source>
        <translation>End date</translation>
    </message>
    <message>
        <source>Titre</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Campagne</source>
        <translation>Campaign</translation>
    </message>
</context>
<context>
    <name>CampaignSelection</name>
    <message>
        <source>Tout sélectionner</source>
        <translation>Select all</translation>
    </message>
    <message>
        <source>Statistiques</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>Erreur à l&apos;ouverture de la base de données.
</source>
        <translation>Error while opening the database.
</translation>
    </message>
    <message>
        <source>Statistiques indisponibles, la base de données est vide</source>
        <translation>Statistics unavailable, the database is empty</translation>
    </message>
    <message>
        <source>Tout désélectionner</source>
        <translation>Deselect all</translation>
    </message>
    <message>
        <source>Des campagnes intermédiaires ont été sélectionnées
automatiquement pour garantir la continuité des données.</source>
        <translation>Intermediate campaigns have been selected
automatically to keep the data continuous.</translation>
    </message>
    <message>
        <source>du %1 au %2</source>
        <translation>from %1 to %2</translation>
    </message>
    <message>
        <source>Maintenance des données</source>
        <translation>Data maintenance</translation>
    </message>
    <message>
        <source>Vous allez effacer la campagne :&lt;br/&gt;&lt;br/&gt;&lt;b&gt;%1&lt;/b&gt;&lt;br/&gt;%2&lt;br/&gt;&lt;br/&gt;Ces données ne seront pas &lt;u&gt;récupérables&lt;/u&gt;.&lt;br/&gt;&lt;br/&gt;Désirez-vous continuer ?&lt;br/&gt;&lt;br/&gt;</source>
        <translation>You are about to delete the campaign:&lt;br/&gt;&lt;br/&gt;&lt;b&gt;%1&lt;/b&gt;&lt;br/&gt;%2&lt;br/&gt;&lt;br/&gt;This data &lt;u&gt;cannot be recovered&lt;/u&gt;.&lt;br/&gt;&lt;br/&gt;Do you want to continue?&lt;br/&gt;&lt;br/&gt;</translation>
    </message>
    <message>
        <source>Oui</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Non</source>
        <translation>No</translation>
    </message>
    <message>
        <source>La base de données %1 est en lecture seule : les campagnes sont calculées pour cette fois, sans pouvoir y être enregistrées.</source>
        <translation>The database %1 is read-only: the campaigns are worked out for this time, without being saved in it.</translation>
    </message>
    <message>
        <source>Le mode de stockage des statistiques pour certaines campagnes est
différent du mode de la première campagne sélectionnée.

Ces statistiques créées avec une version de matériel différent ne
peuvent être mélangées et ont été ignorées

</source>
        <translation>The storage mode of some campaigns differs from the mode
of the first campaign selected.

Statistics recorded by a different hardware version cannot
be mixed and have been ignored.

</translation>
    </message>
</context>
<context>
    <name>CampaignStore</name>
    <message>
        <source>Statistiques</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>Base de données</source>
        <translation>Database</translation>
    </message>
    <message>
        <source>Vérification de la structure ...</source>
        <translation>Checking the structure ...</translation>
    </message>
    <message>
        <source>Vérification des campagnes ...&lt;br/&gt;Ce traitement peut prendre du temps mais&lt;br/&gt;est effectué une seule fois&lt;br/&gt;</source>
        <translation>Checking the campaigns ...&lt;br/&gt;This may take a while but&lt;br/&gt;is done only once&lt;br/&gt;</translation>
    </message>
    <message>
        <source>Mise à jour des campagnes</source>
        <translation>Updating the campaigns</translation>
    </message>
    <message>
        <source>Campagne créée automatiquement</source>
        <translation>Campaign created automatically</translation>
    </message>
</context>
<context>
    <name>CampaignSynopsis</name>
    <message>
        <source>Campagne</source>
        <translation>Campaign</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Dates</source>
        <translation>Dates</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>(Du %1 au %2)</source>
        <translation>(From %1 to %2)</translation>
    </message>
    <message>
        <source>Titre</source>
        <translation>Title</translation>
    </message>
</context>
<context>
    <name>CampaignTab</name>
    <message>
        <source>Détail</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>Titre</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>Commentaires</source>
        <translation>Comments</translation>
    </message>
    <message>
        <source>Statistiques</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>Aucune campagne n&apos;est cochée : rien n&apos;a été chargé.</source>
        <translation>No campaign is ticked: nothing was loaded.</translation>
    </message>
    <message>
        <source>Date d&apos;enregistrement :</source>
        <translation>Recorded on:</translation>
    </message>
    <message>
        <source>Date de début :</source>
        <translation>Start date:</translation>
    </message>
    <message>
        <source>Date de fin :</source>
        <translation>End date:</translation>
    </message>
    <message>
        <source>Nombre de mesures :</source>
        <translation>Measures:</translation>
    </message>
    <message>
        <source>Nombre de jours :</source>
        <translation>Days:</translation>
    </message>
    <message>
        <source>Modifier…</source>
        <translation>Edit…</translation>
    </message>
</context>
<context>
    <name>CheckedFile</name>
    <message>
        <source>disque plein</source>
        <translation>disk full</translation>
    </message>
    <message>
        <source>accès refusé</source>
        <translation>access denied</translation>
    </message>
    <message>
        <source>disque protégé en écriture</source>
        <translation>disk write-protected</translation>
    </message>
    <message>
        <source>fichier ouvert par un autre programme</source>
        <translation>file open in another program</translation>
    </message>
    <message>
        <source>dossier introuvable</source>
        <translation>folder not found</translation>
    </message>
    <message>
        <source>nom de fichier trop long</source>
        <translation>file name too long</translation>
    </message>
    <message>
        <source>erreur matérielle du disque</source>
        <translation>disk hardware error</translation>
    </message>
    <message>
        <source>partage réseau perdu</source>
        <translation>network share lost</translation>
    </message>
    <message>
        <source>quota de disque atteint</source>
        <translation>disk quota reached</translation>
    </message>
    <message>
        <source>taille de fichier maximale atteinte</source>
        <translation>maximum file size reached</translation>
    </message>
    <message>
        <source>disque en lecture seule</source>
        <translation>read-only disk</translation>
    </message>
    <message>
        <source>un dossier porte ce nom</source>
        <translation>a folder has that name</translation>
    </message>
    <message>
        <source>trop de fichiers ouverts</source>
        <translation>too many open files</translation>
    </message>
    <message>
        <source>fichier occupé</source>
        <translation>file busy</translation>
    </message>
    <message>
        <source>écriture impossible</source>
        <translation>cannot write</translation>
    </message>
    <message>
        <source>écriture impossible (%1)</source>
        <translation>cannot write (%1)</translation>
    </message>
    <message>
        <source>ce n&apos;est pas un fichier ordinaire</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>écriture annulée</source>
        <translation>write cancelled</translation>
    </message>
</context>
<context>
    <name>ComparisonController</name>
    <message>
        <source>Comparaison</source>
        <translation>Comparison</translation>
    </message>
</context>
<context>
    <name>ComparisonDialog</name>
    <message>
        <source>Campagnes</source>
        <translation>Campaigns</translation>
    </message>
    <message>
        <source>Période</source>
        <translation>Period</translation>
    </message>
    <message>
        <source>Comparer avant / après</source>
        <translation>Compare before / after</translation>
    </message>
    <message>
        <source>&lt;b&gt;Avant (A)&lt;/b&gt; : %1, du %2 au %3</source>
        <translation>&lt;b&gt;Before (A)&lt;/b&gt;: %1, from %2 to %3</translation>
    </message>
    <message>
        <source>Après (B)</source>
        <translation>After (B)</translation>
    </message>
    <message>
        <source>Autre fichier…</source>
        <translation>Other file…</translation>
    </message>
    <message>
        <source>Du</source>
        <translation>From</translation>
    </message>
    <message>
        <source>Au</source>
        <translation>To</translation>
    </message>
    <message>
        <source>Comparer</source>
        <translation>Compare</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Fichier : %1</source>
        <translation>File: %1</translation>
    </message>
    <message>
        <source>%1 : du %2 au %3</source>
        <translation>%1: from %2 to %3</translation>
    </message>
    <message>
        <source>Cochez au moins une campagne pour B.</source>
        <translation>Tick at least one campaign for B.</translation>
    </message>
    <message>
        <source>La période de B est vide : son début est après sa fin.</source>
        <translation>B&apos;s period is empty: its start is after its end.</translation>
    </message>
    <message>
        <source>Fichier de B</source>
        <translation>B&apos;s file</translation>
    </message>
    <message>
        <source>Base de données (*.db)</source>
        <translation>Database (*.db)</translation>
    </message>
</context>
<context>
    <name>ComparisonTab</name>
    <message>
        <source>Vitesses cumulées, %1</source>
        <translation>Cumulative speeds, %1</translation>
    </message>
    <message>
        <source>Vitesse (%1)</source>
        <translation>Speed (%1)</translation>
    </message>
    <message>
        <source>Véhicules plus lents (%)</source>
        <translation>Slower vehicles (%)</translation>
    </message>
    <message>
        <source>A (avant)</source>
        <translation>A (before)</translation>
    </message>
    <message>
        <source>B (après)</source>
        <translation>B (after)</translation>
    </message>
    <message>
        <source>V85 %1</source>
        <translation>V85 %1</translation>
    </message>
    <message>
        <source>Limite %1</source>
        <translation>Limit %1</translation>
    </message>
    <message>
        <source>V85 (%1)</source>
        <translation>V85 (%1)</translation>
    </message>
    <message>
        <source>Limite %1 %2</source>
        <translation>Limit %1 %2</translation>
    </message>
    <message>
        <source>V85 heure par heure, deux sens</source>
        <translation>V85 hour by hour, both directions</translation>
    </message>
    <message>
        <source>Heure</source>
        <translation>Hour</translation>
    </message>
    <message>
        <source>Écart B − A</source>
        <translation>Change B − A</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>Vitesse limite : %1 %2</source>
        <translation>Speed limit: %1 %2</translation>
    </message>
    <message>
        <source>Vitesse limite : aucune</source>
        <translation>Speed limit: none</translation>
    </message>
    <message>
        <source>Tests au seuil de 5 %, sur le nombre de véhicules.</source>
        <translation>Tests at the 5 % level, on the number of vehicles.</translation>
    </message>
    <message>
        <source>Indicateur</source>
        <translation>Figure</translation>
    </message>
    <message>
        <source>Welch : t = %1, ddl = %2, %3</source>
        <translation>Welch: t = %1, df = %2, %3</translation>
    </message>
    <message>
        <source>IC 95 % : %1 à %2</source>
        <translation>95 % CI: %1 to %2</translation>
    </message>
    <message>
        <source>z = %1, %2</source>
        <translation>z = %1, %2</translation>
    </message>
    <message>
        <source>Kolmogorov-Smirnov : D = %1, %2</source>
        <translation>Kolmogorov-Smirnov: D = %1, %2</translation>
    </message>
    <message>
        <source>Véhicules</source>
        <translation>Vehicles</translation>
    </message>
    <message>
        <source>Vitesse moyenne (%1)</source>
        <translation>Mean speed (%1)</translation>
    </message>
    <message>
        <source>Écart type (%1)</source>
        <translation>Standard deviation (%1)</translation>
    </message>
    <message>
        <source>V15 (%1)</source>
        <translation>V15 (%1)</translation>
    </message>
    <message>
        <source>V50 (%1)</source>
        <translation>V50 (%1)</translation>
    </message>
    <message>
        <source>V95 (%1)</source>
        <translation>V95 (%1)</translation>
    </message>
    <message>
        <source>Répartition des vitesses</source>
        <translation>Speed distribution</translation>
    </message>
    <message>
        <source>A (avant) : %1, du %2 au %3</source>
        <translation>A (before): %1, from %2 to %3</translation>
    </message>
    <message>
        <source>B (après) : %1, du %2 au %3</source>
        <translation>B (after): %1, from %2 to %3</translation>
    </message>
    <message>
        <source>Sens</source>
        <translation>Direction</translation>
    </message>
    <message>
        <source>Limite</source>
        <translation>Limit</translation>
    </message>
    <message>
        <source>Comparaison avant / après</source>
        <translation>Before / after comparison</translation>
    </message>
    <message>
        <source>Part &gt; limite (%)</source>
        <translation>Share &gt; limit (%)</translation>
    </message>
    <message>
        <source>Part &gt; limite + 10 (%)</source>
        <translation>Share &gt; limit + 10 (%)</translation>
    </message>
    <message>
        <source>Part &gt; limite + 20 (%)</source>
        <translation>Share &gt; limit + 20 (%)</translation>
    </message>
</context>
<context>
    <name>CriteriaPanel</name>
    <message>
        <source>Critères</source>
        <translation>Criteria</translation>
    </message>
    <message>
        <source>Début :</source>
        <translation>Start:</translation>
    </message>
    <message>
        <source>Fin :</source>
        <translation>End:</translation>
    </message>
    <message>
        <source>Vitesse minimale prise en compte :</source>
        <translation>Minimum speed taken into account:</translation>
    </message>
    <message>
        <source>Largeur des intervalles des courbes et du tableau (Outils, Précision)</source>
        <translation>Width of the intervals of the curves and of the table (Tools, Precision)</translation>
    </message>
    <message>
        <source>Emplacement :</source>
        <translation>Speed area:</translation>
    </message>
    <message>
        <source>Gérer les zones de vitesses</source>
        <translation>Manage speed areas</translation>
    </message>
    <message>
        <source>Vitesse limite :</source>
        <translation>Speed limit:</translation>
    </message>
    <message>
        <source>Vitesse limite du site, gardée dans le fichier de mesures</source>
        <translation>The site&apos;s speed limit, kept in the measure file</translation>
    </message>
    <message>
        <source>Données</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;Début d&apos;exploitation :&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;Survey start:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;Fin d&apos;exploitation :&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;Survey end:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;Mode stockage :&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;Storage mode:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>%1 relevés ignorés : sens ou vitesse invalide</source>
        <translation>%1 readings ignored: invalid direction or speed</translation>
    </message>
    <message>
        <source>Sens autre que 0 ou 1, ou vitesse hors de 0 à 1000</source>
        <translation>Direction other than 0 or 1, or speed outside 0 to 1000</translation>
    </message>
    <message>
        <source>Précision : %1 min</source>
        <translation>Precision: %1 min</translation>
    </message>
    <message>
        <source>Zones de vitesse</source>
        <translation>Speed areas</translation>
    </message>
    <message>
        <source>Rafraîchir</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>Lieu de la mesure :</source>
        <translation>Measurement site:</translation>
    </message>
    <message>
        <source>Commentaire :</source>
        <translation>Comment:</translation>
    </message>
</context>
<context>
    <name>CsvExport</name>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Direction</source>
        <translation>Direction</translation>
    </message>
    <message>
        <source>Nombre de relevés</source>
        <translation>Readings</translation>
    </message>
    <message>
        <source>Nombre véhicules</source>
        <translation>Vehicles</translation>
    </message>
    <message>
        <source>Vitesse moyenne</source>
        <translation>Mean speed</translation>
    </message>
    <message>
        <source>Vitesse maximale</source>
        <translation>Maximum speed</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>Max</translation>
    </message>
    <message>
        <source>Moyenne</source>
        <translation>Mean</translation>
    </message>
    <message>
        <source>Vitesse</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>direction</source>
        <translation>direction</translation>
    </message>
    <message>
        <source>Indicateur</source>
        <translation>Figure</translation>
    </message>
    <message>
        <source>Heure</source>
        <translation>Hour</translation>
    </message>
    <message>
        <source>%1 véh./h lundi-vendredi</source>
        <translation>%1 veh./h Monday-Friday</translation>
    </message>
    <message>
        <source>%1 véh./h week-end</source>
        <translation>%1 veh./h weekend</translation>
    </message>
    <message>
        <source>%1 V85</source>
        <translation>%1 V85</translation>
    </message>
    <message>
        <source>Erreur à l&apos;exportation</source>
        <translation>Export error</translation>
    </message>
    <message>
        <source>Le fichier %1 n&apos;a pas pu être écrit : %2</source>
        <translation>The file %1 could not be written: %2</translation>
    </message>
    <message>
        <source>Exporter</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Fichier CSV (*.csv)</source>
        <translation>CSV file (*.csv)</translation>
    </message>
    <message>
        <source>%1 relevés/h lundi-vendredi</source>
        <translation>%1 readings/h Monday-Friday</translation>
    </message>
    <message>
        <source>%1 relevés/h week-end</source>
        <translation>%1 readings/h weekend</translation>
    </message>
    <message>
        <source>CSV tableur (virgule décimale) (*.csv)</source>
        <translation>Spreadsheet CSV (decimal comma) (*.csv)</translation>
    </message>
    <message>
        <source>Ces fichiers existent déjà et seront remplacés :
%1</source>
        <translation>These files already exist and will be replaced:
%1</translation>
    </message>
    <message>
        <source>Remplacer</source>
        <translation>Replace</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CsvFile</name>
    <message>
        <source>Importation</source>
        <translation>Import</translation>
    </message>
    <message numerus="yes">
        <source>%n autre(s) enregistrement(s) comporte(nt) un nombre de champs incorrect&lt;br/&gt;&lt;br/&gt;</source>
        <translation>
            <numerusform>%n other record has a wrong number of fields&lt;br/&gt;&lt;br/&gt;</numerusform>
            <numerusform>%n other records have a wrong number of fields&lt;br/&gt;&lt;br/&gt;</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>… et %n autre(s) message(s)</source>
        <translation>
            <numerusform>… and %n other message</numerusform>
            <numerusform>… and %n other messages</numerusform>
        </translation>
    </message>
    <message>
        <source>L&apos;enregistrement %1 / %2 / %3 comporte un nombre de champs incorrect&lt;br/&gt;&lt;br/&gt;</source>
        <translation>The record %1 / %2 / %3 has a wrong number of fields&lt;br/&gt;&lt;br/&gt;</translation>
    </message>
    <message>
        <source>Un guillemet ouvert à la ligne %1 n&apos;est jamais refermé : la suite du fichier est ignorée&lt;br/&gt;&lt;br/&gt;</source>
        <translation>A quote opened on line %1 is never closed: the rest of the file is ignored&lt;br/&gt;&lt;br/&gt;</translation>
    </message>
    <message>
        <source>Ouvrir un fichier CSV</source>
        <translation>Open a CSV file</translation>
    </message>
</context>
<context>
    <name>CsvTreeModel</name>
    <message>
        <source>Emplacement</source>
        <translation>Speed area</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>Max</translation>
    </message>
</context>
<context>
    <name>DatabaseConnection</name>
    <message>
        <source>ce n&apos;est pas un fichier ordinaire</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>La base de données %1 est endommagée (%2). Rien n&apos;y a été écrit ; faites vérifier une copie de ce fichier.</source>
        <translation>The database %1 is damaged (%2). Nothing was written into it; have a copy of this file checked.</translation>
    </message>
    <message>
        <source>La base de données %1 est utilisée par un autre programme. Fermez-le, puis recommencez.</source>
        <translation>The database %1 is in use by another program. Close it, then try again.</translation>
    </message>
    <message>
        <source>Statistiques</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>Le fichier %1 ne peut pas être ouvert (%2).</source>
        <translation>The file %1 cannot be opened (%2).</translation>
    </message>
    <message>
        <source>Le fichier %1 n&apos;est pas une base de mesures (%2) ; il est laissé tel quel.</source>
        <translation>The file %1 is not a measure database (%2); it is left as it is.</translation>
    </message>
    <message>
        <source>il n&apos;a pas de table measure</source>
        <translation>it has no measure table</translation>
    </message>
    <message>
        <source>Le fichier %1 est endommagé : lecture interrompue (%2).</source>
        <translation>The file %1 is damaged: reading stopped (%2).</translation>
    </message>
    <message>
        <source>Impossible d&apos;écrire dans %1 : le disque est plein ou en erreur (%2). Rien n&apos;a été enregistré ; libérez de la place, puis recommencez.</source>
        <translation>Cannot write to %1: the disk is full or failing (%2). Nothing was saved; free some space, then try again.</translation>
    </message>
    <message>
        <source>Impossible d&apos;écrire dans %1 : le fichier ou son disque est en lecture seule (%2). Rien n&apos;a été enregistré.</source>
        <translation>Cannot write to %1: the file or its disk is read-only (%2). Nothing was saved.</translation>
    </message>
    <message>
        <source>L&apos;écriture dans %1 a échoué (%2) : rien n&apos;a été enregistré.</source>
        <translation>Writing to %1 failed (%2): nothing was saved.</translation>
    </message>
    <message>
        <source>Base de données</source>
        <translation>Database</translation>
    </message>
</context>
<context>
    <name>DistributionTab</name>
    <message>
        <source>Relevés entrants</source>
        <translation>Inbound readings</translation>
    </message>
    <message>
        <source>Relevés sortants</source>
        <translation>Outbound readings</translation>
    </message>
    <message>
        <source>Véhicules entrants</source>
        <translation>Inbound vehicles</translation>
    </message>
    <message>
        <source>Véhicules sortants</source>
        <translation>Outbound vehicles</translation>
    </message>
    <message>
        <source> (et +)</source>
        <translation> (and over)</translation>
    </message>
    <message>
        <source>Répartition des relevés par classe de vitesse</source>
        <translation>Readings by speed class</translation>
    </message>
    <message>
        <source>Répartition des véhicules par classe de vitesse</source>
        <translation>Vehicles by speed class</translation>
    </message>
    <message>
        <source>Classe (%1)</source>
        <translation>Class (%1)</translation>
    </message>
    <message>
        <source>Relevés</source>
        <translation>Readings</translation>
    </message>
    <message>
        <source>Véhicules</source>
        <translation>Vehicles</translation>
    </message>
    <message>
        <source>Part</source>
        <translation>Share</translation>
    </message>
    <message>
        <source>Part cumulée</source>
        <translation>Cumulative share</translation>
    </message>
</context>
<context>
    <name>FileDrop</name>
    <message>
        <source>%1 : seuls les fichiers de mesures .db s&apos;ouvrent ici</source>
        <translation>%1: only .db measure files open here</translation>
    </message>
</context>
<context>
    <name>FleetFile</name>
    <message>
        <source>Fichier</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Lieu</source>
        <translation>Location</translation>
    </message>
    <message>
        <source>Commentaire</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>Unités</source>
        <translation>Units</translation>
    </message>
    <message>
        <source>Mode de stockage</source>
        <translation>Store mode</translation>
    </message>
    <message>
        <source>Début</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Fin</source>
        <translation>End</translation>
    </message>
    <message>
        <source>Jours complets</source>
        <translation>Complete days</translation>
    </message>
    <message>
        <source>Relevés chargés</source>
        <translation>Readings loaded</translation>
    </message>
    <message>
        <source>Vitesse limite</source>
        <translation>Speed limit</translation>
    </message>
    <message>
        <source>Sens</source>
        <translation>Direction</translation>
    </message>
    <message>
        <source>Véhicules</source>
        <translation>Vehicles</translation>
    </message>
    <message>
        <source>Trafic moyen journalier</source>
        <translation>Average daily traffic</translation>
    </message>
    <message>
        <source>Vitesse moyenne</source>
        <translation>Mean speed</translation>
    </message>
    <message>
        <source>V85</source>
        <translation>V85</translation>
    </message>
    <message>
        <source>Au-dessus de la limite (%)</source>
        <translation>Over the limit (%)</translation>
    </message>
    <message>
        <source>Au-dessus de la limite + 10 (%)</source>
        <translation>Over the limit + 10 (%)</translation>
    </message>
    <message>
        <source>Erreur</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Avancé</source>
        <translation>Advanced</translation>
    </message>
    <message>
        <source>Entrant</source>
        <translation>Inbound</translation>
    </message>
    <message>
        <source>Sortant</source>
        <translation>Outbound</translation>
    </message>
</context>
<context>
    <name>FleetModel</name>
    <message numerus="yes">
        <source>%n jour(s) sans mesure</source>
        <translation>
            <numerusform>%n day without measures</numerusform>
            <numerusform>%n days without measures</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n relevé(s) invraisemblable(s)</source>
        <translation>
            <numerusform>%n implausible reading</numerusform>
            <numerusform>%n implausible readings</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n relevé(s) illisible(s)</source>
        <translation>
            <numerusform>%n unreadable reading</numerusform>
            <numerusform>%n unreadable readings</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n relevé(s) mal daté(s)</source>
        <translation>
            <numerusform>%n misdated reading</numerusform>
            <numerusform>%n misdated readings</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n relevé(s) répété(s)</source>
        <translation>
            <numerusform>%n repeated reading</numerusform>
            <numerusform>%n repeated readings</numerusform>
        </translation>
    </message>
    <message>
        <source>Fichier</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Site</source>
        <translation>Site</translation>
    </message>
    <message>
        <source>Sens</source>
        <translation>Direction</translation>
    </message>
    <message>
        <source>Jours complets</source>
        <translation>Complete days</translation>
    </message>
    <message>
        <source>Trafic journalier</source>
        <translation>Daily traffic</translation>
    </message>
    <message>
        <source>Vitesse moyenne</source>
        <translation>Mean speed</translation>
    </message>
    <message>
        <source>V85</source>
        <translation>V85</translation>
    </message>
    <message>
        <source>Limite</source>
        <translation>Limit</translation>
    </message>
    <message>
        <source>Qualité des données</source>
        <translation>Data quality</translation>
    </message>
    <message>
        <source>Période</source>
        <translation>Period</translation>
    </message>
    <message>
        <source>Part &gt; limite (%)</source>
        <translation>Share &gt; limit (%)</translation>
    </message>
</context>
<context>
    <name>FleetRunner</name>
    <message>
        <source>Chemin introuvable : %1</source>
        <translation>Path not found: %1</translation>
    </message>
    <message>
        <source>Dossier illisible : %1</source>
        <translation>Folder cannot be read: %1</translation>
    </message>
</context>
<context>
    <name>FleetWindow</name>
    <message>
        <source>Exporter…</source>
        <translation>Export…</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Parc de radars</source>
        <translation>Radar fleet</translation>
    </message>
    <message>
        <source>Filtrer (fichier, site, sens…)</source>
        <translation>Filter (file, site, direction…)</translation>
    </message>
    <message>
        <source>Parc de radars - %1</source>
        <translation>Radar fleet - %1</translation>
    </message>
    <message>
        <source>Analyse annulée : %1 fichiers sur %2</source>
        <translation>Analysis cancelled: %1 files of %2</translation>
    </message>
    <message>
        <source>%1 fichiers analysés, %2 sans résultat</source>
        <translation>%1 files analysed, %2 without figures</translation>
    </message>
    <message>
        <source>%1/%2 fichiers</source>
        <translation>%1/%2 files</translation>
    </message>
    <message>
        <source>aucune</source>
        <translation>none</translation>
    </message>
    <message>
        <source>Vitesse limite des fichiers qui n&apos;en enregistrent pas ; celle d&apos;un fichier l&apos;emporte</source>
        <translation>Speed limit of the files that store none; a file&apos;s own wins</translation>
    </message>
    <message>
        <source>Limite par défaut :</source>
        <translation>Default limit:</translation>
    </message>
    <message>
        <source>Ouvrir un dossier de fichiers de mesures</source>
        <translation>Open a folder of measure files</translation>
    </message>
</context>
<context>
    <name>HourlyProfilePlot</name>
    <message>
        <source>Profil horaire</source>
        <translation>Hourly profile</translation>
    </message>
    <message>
        <source>Heure</source>
        <translation>Hour</translation>
    </message>
    <message>
        <source>Véhicules par heure</source>
        <translation>Vehicles per hour</translation>
    </message>
    <message>
        <source>V85 (%1)</source>
        <translation>V85 (%1)</translation>
    </message>
    <message>
        <source>Jours ouvrés (lundi-vendredi)</source>
        <translation>Weekdays (Monday-Friday)</translation>
    </message>
    <message>
        <source>Week-end</source>
        <translation>Weekend</translation>
    </message>
    <message>
        <source>V85</source>
        <translation>V85</translation>
    </message>
    <message>
        <source>Limite %1 %2</source>
        <translation>Limit %1 %2</translation>
    </message>
    <message>
        <source>Relevés par heure</source>
        <translation>Readings per hour</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Tramola</source>
        <translation>Tramola</translation>
    </message>
    <message>
        <source>Données</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>Moyennes</source>
        <translation>Means</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>Répartitions</source>
        <translation>Distribution</translation>
    </message>
    <message>
        <source>Percentiles</source>
        <translation>Percentiles</translation>
    </message>
    <message>
        <source>Campagnes</source>
        <translation>Campaigns</translation>
    </message>
    <message>
        <source>&amp;Fichier</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Outils</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>Barre d&apos;outils</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>&amp;Ouvrir</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>Ouvre un fichier de statistiques</source>
        <translation>Opens a statistics file</translation>
    </message>
    <message>
        <source>&amp;Exporter</source>
        <translation>&amp;Export</translation>
    </message>
    <message>
        <source>Exporte les statistiques dans un fichier</source>
        <translation>Exports the statistics to a file</translation>
    </message>
    <message>
        <source>Arrête l&apos;application</source>
        <translation>Quits the application</translation>
    </message>
    <message>
        <source>&amp;Portée</source>
        <translation>&amp;Range</translation>
    </message>
    <message>
        <source>Portée du radar</source>
        <translation>Radar range</translation>
    </message>
    <message>
        <source>&amp;Précision</source>
        <translation>&amp;Precision</translation>
    </message>
    <message>
        <source>Exporter</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Synthèse</source>
        <translation>Summary</translation>
    </message>
    <message>
        <source>&amp;Diviseur de portée : %1 relevés = 1 véhicule</source>
        <translation>Range &amp;divider: %1 readings = 1 vehicle</translation>
    </message>
    <message>
        <source>Coché, %1 relevés du radar comptent pour un véhicule (portée %2 m) ; décoché, chaque relevé compte pour un véhicule</source>
        <translation>Checked, %1 radar readings count as one vehicle (range %2 m); unchecked, every reading counts as a vehicle</translation>
    </message>
    <message>
        <source>Mode mise au point</source>
        <translation>Debug mode</translation>
    </message>
    <message>
        <source>Statistiques</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>Statistiques indisponibles</source>
        <translation>Statistics unavailable</translation>
    </message>
    <message>
        <source>Fichier CSV (*.csv)</source>
        <translation>CSV file (*.csv)</translation>
    </message>
    <message>
        <source>Aucun fichier écrit</source>
        <translation>No file written</translation>
    </message>
    <message>
        <source>Fichiers écrits : %1</source>
        <translation>Files written: %1</translation>
    </message>
    <message>
        <source>Impression</source>
        <translation>Printing</translation>
    </message>
    <message>
        <source>Impression indisponible pour ce graphique</source>
        <translation>Printing is not available for this chart</translation>
    </message>
    <message>
        <source>Base de données (*.db)</source>
        <translation>Database (*.db)</translation>
    </message>
    <message>
        <source>Un chargement est déjà en cours : attendez qu&apos;il se termine.</source>
        <translation>A load is already running: wait until it has finished.</translation>
    </message>
    <message>
        <source>Ouvrir un &amp;dossier…</source>
        <translation>Open a &amp;folder…</translation>
    </message>
    <message>
        <source>Les chiffres de chaque fichier de mesures d&apos;un dossier, dans un tableau</source>
        <translation>The figures of every measure file of a folder, in a table</translation>
    </message>
    <message>
        <source>&amp;Comparer…</source>
        <translation>&amp;Compare…</translation>
    </message>
    <message>
        <source>Comparer l&apos;analyse affichée (avant) à une autre période, campagne ou fichier (après)</source>
        <translation>Compare the analysis shown (before) with another period, campaign or file (after)</translation>
    </message>
    <message>
        <source>&amp;À propos</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>&amp;Quitter</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>Largeur des intervalles de temps</source>
        <translation>Width of the time intervals</translation>
    </message>
    <message>
        <source>&amp;À propos de %1</source>
        <translation>&amp;About %1</translation>
    </message>
    <message>
        <source>À propos de l&apos;application</source>
        <translation>About the application</translation>
    </message>
    <message>
        <source>&amp;Document PDF…</source>
        <translation>PDF &amp;document…</translation>
    </message>
    <message>
        <source>Rafraîchir</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>&amp;Imprimer…</source>
        <translation>&amp;Print…</translation>
    </message>
    <message>
        <source>Trafic</source>
        <translation>Traffic</translation>
    </message>
    <message>
        <source>Ouvrir un fichier de mesures</source>
        <translation>Open a measure file</translation>
    </message>
    <message>
        <source>Portée du radar (mètres) :</source>
        <translation>Radar range (metres):</translation>
    </message>
    <message>
        <source>Largeur des intervalles de temps (minutes) :</source>
        <translation>Width of the time intervals (minutes):</translation>
    </message>
    <message>
        <source>Révision : </source>
        <translation>Revision: </translation>
    </message>
    <message>
        <source>À propos de %1</source>
        <translation>About %1</translation>
    </message>
</context>
<context>
    <name>MeasureReader</name>
    <message>
        <source>Configuration...</source>
        <translation>Configuration...</translation>
    </message>
    <message>
        <source>Lecture...</source>
        <translation>Reading...</translation>
    </message>
    <message>
        <source>Mémoire insuffisante pour lire les %1 mesures de %2</source>
        <translation>Not enough memory to read the %1 measures of %2</translation>
    </message>
    <message>
        <source>Vérification de la base de données</source>
        <translation>Checking the database</translation>
    </message>
    <message>
        <source>Examen des données</source>
        <translation>Examining the data</translation>
    </message>
    <message>
        <source>La base de données %1 est vide</source>
        <translation>The database %1 is empty</translation>
    </message>
    <message>
        <source>Chargement...</source>
        <translation>Loading...</translation>
    </message>
    <message>
        <source>La base de donnée %1 ne contient pas de statistiques</source>
        <translation>The database %1 holds no statistics</translation>
    </message>
    <message>
        <source>Mémoire insuffisante pour lire %1 (%2).</source>
        <translation>Not enough memory to read %1 (%2).</translation>
    </message>
</context>
<context>
    <name>PercentileTab</name>
    <message>
        <source>Percentiles de vitesse sens entrant</source>
        <translation>Inbound speed percentiles</translation>
    </message>
    <message>
        <source>Percentiles de vitesse sens sortant</source>
        <translation>Outbound speed percentiles</translation>
    </message>
    <message>
        <source>Définition des percentiles</source>
        <translation>Percentile definitions</translation>
    </message>
    <message>
        <source>Pourcentage de véhicules</source>
        <translation>Percentage of vehicles</translation>
    </message>
    <message>
        <source>Vitesse</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>Statistiques</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Définition des percentiles &lt;sup&gt;*&lt;/*&gt;&lt;/h3&gt;&lt;hr/&gt;La vitesse &lt;b&gt;V85&lt;/b&gt; définit la vitesse en dessous de laquelle circulent 85 % des VL libres (non contraints par la circulation des autres véhicules).&lt;br/&gt;&lt;br/&gt;Les valeurs &lt;b&gt;V50&lt;/b&gt; et &lt;b&gt;V30&lt;/b&gt; mesurent respectivement les vitesses 50 et 30&lt;br/&gt;&lt;br/&gt;(*) &lt;i&gt;source : SETRA 2008&lt;/i&gt;&lt;br/&gt;&lt;br/&gt;</source>
        <translation>&lt;h3&gt;Percentile definitions &lt;sup&gt;*&lt;/*&gt;&lt;/h3&gt;&lt;hr/&gt;The &lt;b&gt;V85&lt;/b&gt; speed is the speed below which 85 % of free-flowing light vehicles travel (vehicles not held back by other traffic).&lt;br/&gt;&lt;br/&gt;The &lt;b&gt;V50&lt;/b&gt; and &lt;b&gt;V30&lt;/b&gt; values are the 50th and 30th percentile speeds&lt;br/&gt;&lt;br/&gt;(*) &lt;i&gt;source: SETRA 2008&lt;/i&gt;&lt;br/&gt;&lt;br/&gt;</translation>
    </message>
    <message>
        <source>Pourcentage de relevés</source>
        <translation>Percentage of readings</translation>
    </message>
    <message>
        <source>Percentiles de vitesse</source>
        <translation>Speed percentiles</translation>
    </message>
</context>
<context>
    <name>PrintSheet</name>
    <message>
        <source>non renseignée</source>
        <translation>not set</translation>
    </message>
    <message>
        <source>Imprimé le %1</source>
        <translation>Printed on %1</translation>
    </message>
    <message>
        <source>Site : %1 &amp;nbsp;·&amp;nbsp; Période : du %2 au %3 &amp;nbsp;·&amp;nbsp; Vitesse limite : %4 &amp;nbsp;·&amp;nbsp; Vitesse minimale : %5&amp;nbsp;%6 &amp;nbsp;·&amp;nbsp; Unités : %6</source>
        <translation>Site: %1 &amp;nbsp;·&amp;nbsp; Period: %2 to %3 &amp;nbsp;·&amp;nbsp; Speed limit: %4 &amp;nbsp;·&amp;nbsp; Minimum speed: %5&amp;nbsp;%6 &amp;nbsp;·&amp;nbsp; Units: %6</translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>&lt;td align=left&gt;&lt;b&gt;TRAMOLA&lt;/b&gt;&lt;br /&gt;Version </source>
        <translation>&lt;td align=left&gt;&lt;b&gt;TRAMOLA&lt;/b&gt;&lt;br /&gt;Version </translation>
    </message>
    <message>
        <source>&lt;td align=left&gt;&lt;b&gt;Référence&amp;nbsp;:&amp;nbsp;</source>
        <translation>&lt;td align=left&gt;&lt;b&gt;Reference:&amp;nbsp;</translation>
    </message>
    <message>
        <source>&lt;td align=right&gt;Page {page} sur {pages}&lt;/td&gt;</source>
        <translation>&lt;td align=right&gt;Page {page} of {pages}&lt;/td&gt;</translation>
    </message>
    <message>
        <source>Le rapport %1 n&apos;a pas pu être écrit : %2</source>
        <translation>The report %1 could not be written: %2</translation>
    </message>
    <message>
        <source>impression impossible</source>
        <translation>cannot print</translation>
    </message>
    <message>
        <source>Rapport d&apos;exploitation</source>
        <translation>Operation report</translation>
    </message>
    <message>
        <source>Écriture du rapport...</source>
        <translation>Writing the report...</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Tramola</source>
        <translation>Tramola</translation>
    </message>
    <message>
        <source>&lt;td align=center&gt;SYNTHÈSE DES MESURES&lt;/td&gt;</source>
        <translation>&lt;td align=center&gt;MEASUREMENT SUMMARY&lt;/td&gt;</translation>
    </message>
    <message>
        <source>Site</source>
        <translation>Site</translation>
    </message>
    <message>
        <source>Période</source>
        <translation>Period</translation>
    </message>
    <message>
        <source>du %1 au %2</source>
        <translation>from %1 to %2</translation>
    </message>
    <message>
        <source>Vitesse limite</source>
        <translation>Speed limit</translation>
    </message>
    <message>
        <source>non renseignée : aucun chiffre de conformité</source>
        <translation>not set: no compliance figure</translation>
    </message>
    <message>
        <source>Unités</source>
        <translation>Units</translation>
    </message>
    <message>
        <source>Vitesse minimale</source>
        <translation>Minimum speed</translation>
    </message>
    <message>
        <source>Mode d&apos;enregistrement</source>
        <translation>Store mode</translation>
    </message>
    <message>
        <source>Rapport rédigé le</source>
        <translation>Report written on</translation>
    </message>
    <message>
        <source>&lt;td width=20%&gt;&lt;b&gt;Début d&apos;exploitation :&lt;/b&gt;&lt;/td&gt;&lt;td align=left width=45%&gt;</source>
        <translation>&lt;td width=20%&gt;&lt;b&gt;Survey start:&lt;/b&gt;&lt;/td&gt;&lt;td align=left width=45%&gt;</translation>
    </message>
    <message>
        <source>&lt;td width=20%&gt;&lt;b&gt;Fin d&apos;exploitation :&lt;/b&gt;&lt;/td&gt;&lt;td align=left  width=45%&gt;</source>
        <translation>&lt;td width=20%&gt;&lt;b&gt;Survey end:&lt;/b&gt;&lt;/td&gt;&lt;td align=left  width=45%&gt;</translation>
    </message>
    <message>
        <source>&lt;td align=left width=20%&gt;&lt;b&gt;Lieu de la mesure :&lt;/b&gt;&lt;/td&gt;&lt;td&gt;</source>
        <translation>&lt;td align=left width=20%&gt;&lt;b&gt;Measurement site:&lt;/b&gt;&lt;/td&gt;&lt;td&gt;</translation>
    </message>
    <message>
        <source>&lt;td align=left width=20%&gt;&lt;b&gt;Commentaire :&lt;/b&gt;&lt;/td&gt;&lt;td&gt;</source>
        <translation>&lt;td align=left width=20%&gt;&lt;b&gt;Comment:&lt;/b&gt;&lt;/td&gt;&lt;td&gt;</translation>
    </message>
    <message>
        <source>Documents PDF (*.pdf)</source>
        <translation>PDF documents (*.pdf)</translation>
    </message>
    <message>
        <source>Le rapport %1 n&apos;a pas été écrit : seuls les suffixes .pdf et .ps sont possibles.</source>
        <translation>The report %1 was not written: only the suffixes .pdf and .ps are possible.</translation>
    </message>
    <message>
        <source>Le rapport %1 est écrit, mais aucune application n&apos;a pu l&apos;ouvrir.</source>
        <translation>The report %1 is written, but no application could open it.</translation>
    </message>
</context>
<context>
    <name>ReportSectionsDialog</name>
    <message>
        <source>Rapport d&apos;exploitation</source>
        <translation>Operation report</translation>
    </message>
    <message>
        <source>Veuillez sélectionner les graphiques à intégrer dans le rapport.</source>
        <translation>Select the charts to include in the report.</translation>
    </message>
    <message>
        <source>Graphique des vitesses Moyennes</source>
        <translation>Mean speed chart</translation>
    </message>
    <message>
        <source>Graphique des vitesses  Maximales</source>
        <translation>Maximum speed chart</translation>
    </message>
    <message>
        <source>Nombre de véhicules par heure</source>
        <translation>Vehicles per hour</translation>
    </message>
    <message>
        <source>graphique des percentiles</source>
        <translation>Percentile charts</translation>
    </message>
    <message>
        <source>Tableau détaillé des mesures</source>
        <translation>Detailed measure table</translation>
    </message>
    <message>
        <source>Répartition par classe de vitesse</source>
        <translation>Distribution by speed class</translation>
    </message>
</context>
<context>
    <name>SiteInfoEditor</name>
    <message>
        <source>Statistiques</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>Le fichier %1 ne peut pas être modifié : le lieu, le commentaire et la vitesse limite sont gardés jusqu&apos;à la fermeture du programme, sans être enregistrés.</source>
        <translation>The file %1 cannot be changed: the site, the comment and the speed limit are kept until the program closes, without being saved.</translation>
    </message>
</context>
<context>
    <name>SpeedArea</name>
    <message>
        <source>fichier endommagé (octet %1)</source>
        <translation>damaged file (byte %1)</translation>
    </message>
    <message>
        <source>ce n&apos;est pas un fichier de zones de vitesse</source>
        <translation>not a speed area file</translation>
    </message>
    <message>
        <source>révision %1 non prise en charge</source>
        <translation>revision %1 not supported</translation>
    </message>
    <message>
        <source>Urban 25 mph</source>
        <translation>Urban 25 mph</translation>
    </message>
    <message>
        <source>Urban 30 mph</source>
        <translation>Urban 30 mph</translation>
    </message>
    <message>
        <source>Freeway urban</source>
        <translation>Freeway urban</translation>
    </message>
    <message>
        <source>Freeway rural</source>
        <translation>Freeway rural</translation>
    </message>
    <message>
        <source>Zone 30 km/h</source>
        <translation>Zone 30 km/h</translation>
    </message>
    <message>
        <source>Zone 50 km/h</source>
        <translation>Zone 50 km/h</translation>
    </message>
    <message>
        <source>Zone 70 km/h</source>
        <translation>Zone 70 km/h</translation>
    </message>
    <message>
        <source>Zone 90 km/h</source>
        <translation>Zone 90 km/h</translation>
    </message>
    <message>
        <source>Zone 110 km/h</source>
        <translation>Zone 110 km/h</translation>
    </message>
    <message>
        <source>ce n&apos;est pas un fichier ordinaire</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>Le fichier de zones %1 est illisible : %2. Les zones par défaut le remplacent ; le prochain enregistrement le conservera sous %3.</source>
        <translation>The speed area file %1 cannot be read: %2. The default areas stand in for it; the next save will keep it as %3.</translation>
    </message>
    <message>
        <source>plus de 65 535 zones, ou de classes dans une zone</source>
        <translation>more than 65,535 areas, or classes in one area</translation>
    </message>
    <message>
        <source>dossier %1 impossible à créer</source>
        <translation>cannot create the folder %1</translation>
    </message>
    <message>
        <source>le fichier illisible n&apos;a pas pu être conservé sous %1</source>
        <translation>the unreadable file could not be kept as %1</translation>
    </message>
</context>
<context>
    <name>SpeedAreaEditor</name>
    <message>
        <source>Emplacement</source>
        <translation>Speed area</translation>
    </message>
    <message>
        <source>Zone :</source>
        <translation>Area:</translation>
    </message>
    <message>
        <source>Ajouter un nouvel emplacement</source>
        <translation>Add a new speed area</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Supprimer l&apos;emplacement courant</source>
        <translation>Delete the current speed area</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>Max</translation>
    </message>
    <message>
        <source>Ajouter une entrée après la ligne courante</source>
        <translation>Add a row after the current one</translation>
    </message>
    <message>
        <source>Supprimer la ligne courante</source>
        <translation>Delete the current row</translation>
    </message>
    <message>
        <source>Importer des emplacements à partir d&apos;un fichier</source>
        <translation>Import speed areas from a file</translation>
    </message>
    <message>
        <source>Enregistrer</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Restaurer les paramètres par défaut</source>
        <translation>Restore the default settings</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Fermer</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Veuillez compléter la table</source>
        <translation>Please complete the table</translation>
    </message>
    <message>
        <source>Intervals</source>
        <translation>Intervals</translation>
    </message>
    <message>
        <source>Le nombre maximum d&apos;interval est atteint.&lt;br/&gt;Vous ne pouvez plus en ajouter de nouveau.</source>
        <translation>The maximum number of intervals is reached.&lt;br/&gt;You cannot add any more.</translation>
    </message>
    <message>
        <source>La table ne peut pas être vide.</source>
        <translation>The table cannot be empty.</translation>
    </message>
    <message>
        <source>Oui</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Non</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Zones de vitesse</source>
        <translation>Speed areas</translation>
    </message>
    <message>
        <source>Les zones n&apos;ont pas pu être enregistrées dans %1 : %2.</source>
        <translation>The areas could not be saved to %1: %2.</translation>
    </message>
    <message>
        <source>Les vitesses doivent être contiguës</source>
        <translation>The speeds must be contiguous</translation>
    </message>
    <message>
        <source>Nom de l&apos;emplacement :</source>
        <translation>Speed area name:</translation>
    </message>
    <message>
        <source>Vous allez supprimer la zone &lt;b&gt;%1&lt;/b&gt;&lt;br/&gt;Êtes-vous sûr ?&lt;br/&gt;&lt;br/&gt;</source>
        <translation>You are about to delete the area &lt;b&gt;%1&lt;/b&gt;&lt;br/&gt;Are you sure?&lt;br/&gt;&lt;br/&gt;</translation>
    </message>
    <message>
        <source>La zone &lt;b&gt;%1&lt;/b&gt; va être réinitialisée&lt;br/&gt;&lt;br/&gt;Êtes-vous sûr ?&lt;br/&gt;&lt;br/&gt;</source>
        <translation>The area &lt;b&gt;%1&lt;/b&gt; will be reset&lt;br/&gt;&lt;br/&gt;Are you sure?&lt;br/&gt;&lt;br/&gt;</translation>
    </message>
</context>
<context>
    <name>SpeedBinPlot</name>
    <message>
        <source>Répartition des vitesses</source>
        <translation>Speed distribution</translation>
    </message>
    <message>
        <source>Véhicules</source>
        <translation>Vehicles</translation>
    </message>
    <message>
        <source>Vitesse (%1), classes de 5</source>
        <translation>Speed (%1), classes of 5</translation>
    </message>
    <message>
        <source>Entrant</source>
        <translation>Inbound</translation>
    </message>
    <message>
        <source>Sortant</source>
        <translation>Outbound</translation>
    </message>
    <message>
        <source>Limite %1 %2</source>
        <translation>Limit %1 %2</translation>
    </message>
    <message>
        <source>Relevés</source>
        <translation>Readings</translation>
    </message>
</context>
<context>
    <name>SpeedClassPie</name>
    <message>
        <source>%1 : %L2</source>
        <translation>%1: %L2</translation>
    </message>
    <message>
        <source> -- </source>
        <translation> -- </translation>
    </message>
</context>
<context>
    <name>SpeedComparison</name>
    <message>
        <source>mph</source>
        <translation>mph</translation>
    </message>
    <message>
        <source>nd</source>
        <translation>kn</translation>
    </message>
    <message>
        <source>km/h</source>
        <translation>km/h</translation>
    </message>
    <message>
        <source>p &lt; %1</source>
        <translation>p &lt; %1</translation>
    </message>
    <message>
        <source>p = %1</source>
        <translation>p = %1</translation>
    </message>
    <message>
        <source>Pas de changement significatif de la vitesse moyenne (%1)</source>
        <translation>No significant change in mean speed (%1)</translation>
    </message>
    <message>
        <source>Baisse significative de la vitesse moyenne : %1 %2 (%3)</source>
        <translation>Significant decrease in mean speed: %1 %2 (%3)</translation>
    </message>
    <message>
        <source>Hausse significative de la vitesse moyenne : %1 %2 (%3)</source>
        <translation>Significant increase in mean speed: %1 %2 (%3)</translation>
    </message>
    <message>
        <source>Pas de changement significatif du V85 (intervalle à 95 % : %1 à %2 %3)</source>
        <translation>No significant change in V85 (95% interval: %1 to %2 %3)</translation>
    </message>
    <message>
        <source>Baisse significative du V85 : %1 %2 (intervalle à 95 % : %3 à %4 %2)</source>
        <translation>Significant decrease in V85: %1 %2 (95% interval: %3 to %4 %2)</translation>
    </message>
    <message>
        <source>Hausse significative du V85 : %1 %2 (intervalle à 95 % : %3 à %4 %2)</source>
        <translation>Significant increase in V85: %1 %2 (95% interval: %3 to %4 %2)</translation>
    </message>
    <message>
        <source>Pas de changement significatif de la part au-dessus de %1 %2 (%3)</source>
        <translation>No significant change in the share above %1 %2 (%3)</translation>
    </message>
    <message>
        <source>Baisse significative de la part au-dessus de %1 %2 : %3 points (%4)</source>
        <translation>Significant decrease in the share above %1 %2: %3 points (%4)</translation>
    </message>
    <message>
        <source>Hausse significative de la part au-dessus de %1 %2 : %3 points (%4)</source>
        <translation>Significant increase in the share above %1 %2: %3 points (%4)</translation>
    </message>
    <message>
        <source>Changement significatif de la répartition des vitesses (%1)</source>
        <translation>Significant change in the speed distribution (%1)</translation>
    </message>
    <message>
        <source>Pas de changement significatif de la répartition des vitesses (%1)</source>
        <translation>No significant change in the speed distribution (%1)</translation>
    </message>
</context>
<context>
    <name>StartPage</name>
    <message>
        <source>&lt;span style=&quot;font-size:large; font-weight:bold&quot;&gt;Aucune base de mesures ouverte&lt;/span&gt;</source>
        <translation>&lt;span style=&quot;font-size:large; font-weight:bold&quot;&gt;No measure database open&lt;/span&gt;</translation>
    </message>
    <message>
        <source>Pour commencer, choisissez &lt;a href=&quot;open&quot;&gt;Ouvrir&lt;/a&gt; (Ctrl+O) dans le menu Fichier,&lt;br/&gt;ou déposez un fichier de mesures .db dans cette fenêtre.</source>
        <translation>To start, choose &lt;a href=&quot;open&quot;&gt;Open&lt;/a&gt; (Ctrl+O) in the File menu,&lt;br/&gt;or drop a .db measure file onto this window.</translation>
    </message>
    <message>
        <source>&lt;b&gt;Fichiers récents&lt;/b&gt;</source>
        <translation>&lt;b&gt;Recent files&lt;/b&gt;</translation>
    </message>
    <message>
        <source>(introuvable)</source>
        <translation>(not found)</translation>
    </message>
</context>
<context>
    <name>StoreModeEvidence</name>
    <message>
        <source>trop peu de relevés pour reconnaître le mode</source>
        <translation>too few readings to tell the mode</translation>
    </message>
    <message>
        <source>1 relevé par véhicule détecté</source>
        <translation>1 reading per vehicle detected</translation>
    </message>
    <message>
        <source>rafales de relevés détectées</source>
        <translation>bursts of readings detected</translation>
    </message>
</context>
<context>
    <name>SummaryFormat</name>
    <message>
        <source>Entrant</source>
        <translation>Inbound</translation>
    </message>
    <message>
        <source>Sortant</source>
        <translation>Outbound</translation>
    </message>
    <message>
        <source>Deux sens</source>
        <translation>Both directions</translation>
    </message>
    <message>
        <source>Véhicules</source>
        <translation>Vehicles</translation>
    </message>
    <message>
        <source>Relevés</source>
        <translation>Readings</translation>
    </message>
    <message>
        <source>Heure de pointe du matin</source>
        <translation>Morning peak hour</translation>
    </message>
    <message>
        <source>véhicules dans l&apos;heure</source>
        <translation>vehicles in that hour</translation>
    </message>
    <message>
        <source>Heure de pointe du soir</source>
        <translation>Evening peak hour</translation>
    </message>
    <message>
        <source>Vitesses (%1)</source>
        <translation>Speeds (%1)</translation>
    </message>
    <message>
        <source>Vitesse moyenne</source>
        <translation>Mean speed</translation>
    </message>
    <message>
        <source>Écart type</source>
        <translation>Standard deviation</translation>
    </message>
    <message>
        <source>V15</source>
        <translation>V15</translation>
    </message>
    <message>
        <source>V50</source>
        <translation>V50</translation>
    </message>
    <message>
        <source>V85</source>
        <translation>V85</translation>
    </message>
    <message>
        <source>V95</source>
        <translation>V95</translation>
    </message>
    <message>
        <source>Allure de 10 %1</source>
        <translation>10 %1 pace</translation>
    </message>
    <message>
        <source>part des véhicules</source>
        <translation>share of vehicles</translation>
    </message>
    <message>
        <source>Conformité à la limite de %1 %2 (véhicules)</source>
        <translation>Compliance with the %1 %2 limit (vehicles)</translation>
    </message>
    <message>
        <source>Au-dessus de %1 %2</source>
        <translation>Above %1 %2</translation>
    </message>
    <message>
        <source>Au-dessus de la limite</source>
        <translation>Above the limit</translation>
    </message>
    <message>
        <source>Au-dessus de la limite + %1</source>
        <translation>Above the limit + %1</translation>
    </message>
    <message>
        <source>Lundi</source>
        <translation>Monday</translation>
    </message>
    <message>
        <source>Mardi</source>
        <translation>Tuesday</translation>
    </message>
    <message>
        <source>Mercredi</source>
        <translation>Wednesday</translation>
    </message>
    <message>
        <source>Jeudi</source>
        <translation>Thursday</translation>
    </message>
    <message>
        <source>Vendredi</source>
        <translation>Friday</translation>
    </message>
    <message>
        <source>Samedi</source>
        <translation>Saturday</translation>
    </message>
    <message>
        <source>Dimanche</source>
        <translation>Sunday</translation>
    </message>
    <message>
        <source>Qualité des données</source>
        <translation>Data quality</translation>
    </message>
    <message>
        <source>Jours de la période</source>
        <translation>Days in the period</translation>
    </message>
    <message>
        <source>Jours enregistrés</source>
        <translation>Days recorded</translation>
    </message>
    <message>
        <source>Jours manquants</source>
        <translation>Missing days</translation>
    </message>
    <message>
        <source>aucun</source>
        <translation>none</translation>
    </message>
    <message>
        <source>Relevés à %1 %2 ou moins (écartés)</source>
        <translation>Readings at %1 %2 or below (left out)</translation>
    </message>
    <message>
        <source>Relevés au-dessus de %1 %2 (douteux)</source>
        <translation>Readings above %1 %2 (implausible)</translation>
    </message>
    <message>
        <source>Relevés en double (même seconde, vitesse et sens)</source>
        <translation>Repeated readings (same second, speed and direction)</translation>
    </message>
    <message>
        <source>Relevés mal datés (avant 2000 ou après l&apos;écriture du fichier, écartés)</source>
        <translation>Misdated readings (before 2000 or after the file was written, left out)</translation>
    </message>
    <message>
        <source>Avancé</source>
        <translation>Advanced</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>%1, aucun jour</source>
        <translation>%1, no day</translation>
    </message>
    <message>
        <source>%1, 1 jour</source>
        <translation>%1, 1 day</translation>
    </message>
    <message>
        <source>%1, %2 jours</source>
        <translation>%1, %2 days</translation>
    </message>
    <message>
        <source>%1 de %2 à %3</source>
        <translation>%1 from %2 to %3</translation>
    </message>
    <message>
        <source>Volumes (relevés, jours complets)</source>
        <translation>Volumes (readings, complete days)</translation>
    </message>
    <message>
        <source>Volumes (véhicules, jours complets)</source>
        <translation>Volumes (vehicles, complete days)</translation>
    </message>
    <message>
        <source>Trafic moyen journalier</source>
        <translation>Average daily traffic</translation>
    </message>
    <message>
        <source>lundi à vendredi</source>
        <translation>Monday to Friday</translation>
    </message>
    <message>
        <source>samedi et dimanche</source>
        <translation>Saturday and Sunday</translation>
    </message>
    <message>
        <source>relevés dans l&apos;heure</source>
        <translation>readings in the hour</translation>
    </message>
    <message>
        <source>Heure de pointe du matin : %1</source>
        <translation>Morning peak hour: %1</translation>
    </message>
    <message>
        <source>Heure de pointe du soir : %1</source>
        <translation>Evening peak hour: %1</translation>
    </message>
    <message>
        <source>part des relevés</source>
        <translation>share of readings</translation>
    </message>
    <message>
        <source>%1 : de</source>
        <translation>%1: from</translation>
    </message>
    <message>
        <source>%1 : à</source>
        <translation>%1: to</translation>
    </message>
    <message>
        <source>%1 : %2 (%)</source>
        <translation>%1: %2 (%)</translation>
    </message>
    <message>
        <source>Conformité à la limite de %1 %2 (relevés)</source>
        <translation>Compliance with the %1 %2 limit (readings)</translation>
    </message>
    <message>
        <source>Conformité : %1</source>
        <translation>Compliance: %1</translation>
    </message>
    <message>
        <source>Vitesse limite (%1)</source>
        <translation>Speed limit (%1)</translation>
    </message>
    <message>
        <source>Moyenne des excès (%1)</source>
        <translation>Mean over the limit (%1)</translation>
    </message>
    <message>
        <source>Trafic moyen par jour (relevés)</source>
        <translation>Average traffic per day (readings)</translation>
    </message>
    <message>
        <source>Trafic moyen par jour (véhicules)</source>
        <translation>Average traffic per day (vehicles)</translation>
    </message>
    <message>
        <source>Mode d&apos;enregistrement</source>
        <translation>Store mode</translation>
    </message>
    <message>
        <source>Relevés par véhicule (moyenne des rafales)</source>
        <translation>Readings per vehicle (mean of the bursts)</translation>
    </message>
    <message>
        <source>Jours complets</source>
        <translation>Complete days</translation>
    </message>
    <message>
        <source>Jours partiels (hors moyennes journalières)</source>
        <translation>Partial days (left out of daily means)</translation>
    </message>
</context>
<context>
    <name>SummaryPage</name>
    <message>
        <source>Synthèse et conformité</source>
        <translation>Summary and compliance</translation>
    </message>
    <message>
        <source>vitesse limite : %1&amp;nbsp;%2</source>
        <translation>speed limit: %1&amp;nbsp;%2</translation>
    </message>
    <message>
        <source>limite non renseignée : aucun chiffre de conformité</source>
        <translation>limit not set: no compliance figure</translation>
    </message>
    <message>
        <source>&lt;h4&gt;%1&lt;/h4&gt;&lt;span style=&quot;font-size: 9px&quot;&gt;Du %2 au %3 ; %4&lt;br&gt;Mode d&apos;enregistrement : %5&lt;/span&gt;</source>
        <translation>&lt;h4&gt;%1&lt;/h4&gt;&lt;span style=&quot;font-size: 9px&quot;&gt;From %2 to %3; %4&lt;br&gt;Store mode: %5&lt;/span&gt;</translation>
    </message>
</context>
<context>
    <name>SummaryTab</name>
    <message>
        <source>Ouvrez un fichier de mesures pour en obtenir la synthèse.</source>
        <translation>Open a measure file to get its summary.</translation>
    </message>
    <message>
        <source>Indicateur</source>
        <translation>Figure</translation>
    </message>
    <message>
        <source>Entrant</source>
        <translation>Inbound</translation>
    </message>
    <message>
        <source>Sortant</source>
        <translation>Outbound</translation>
    </message>
    <message>
        <source>Comparer…</source>
        <translation>Compare…</translation>
    </message>
    <message>
        <source>Comparer cette analyse (avant) à une autre période, campagne ou fichier (après)</source>
        <translation>Compare this analysis (before) with another period, campaign or file (after)</translation>
    </message>
    <message>
        <source>2 sens</source>
        <translation>Both</translation>
    </message>
    <message>
        <source>vitesse limite : %1&amp;nbsp;%2</source>
        <translation>speed limit: %1&amp;nbsp;%2</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#b00000&quot;&gt;Limite non renseignée&lt;/span&gt; — &lt;a href=&quot;limit&quot;&gt;Renseigner…&lt;/a&gt;</source>
        <translation>&lt;span style=&quot;color:#b00000&quot;&gt;Limit not set&lt;/span&gt; — &lt;a href=&quot;limit&quot;&gt;Set it…&lt;/a&gt;</translation>
    </message>
    <message>
        <source>limite non renseignée : aucun chiffre de conformité</source>
        <translation>limit not set: no compliance figure</translation>
    </message>
    <message>
        <source>&lt;b&gt;Synthèse du %1 au %2&lt;/b&gt; &amp;nbsp; %3&lt;br&gt;Mode d&apos;enregistrement : %4</source>
        <translation>&lt;b&gt;Summary from %1 to %2&lt;/b&gt; &amp;nbsp; %3&lt;br&gt;Store mode: %4</translation>
    </message>
    <message>
        <source>Synthèse</source>
        <translation>Summary</translation>
    </message>
</context>
<context>
    <name>TimePlot</name>
    <message>
        <source> -- </source>
        <translation> -- </translation>
    </message>
    <message>
        <source>par demi-heure</source>
        <translation>per half hour</translation>
    </message>
    <message>
        <source>par heure</source>
        <translation>per hour</translation>
    </message>
    <message>
        <source>par jour</source>
        <translation>per day</translation>
    </message>
    <message>
        <source>par semaine</source>
        <translation>per week</translation>
    </message>
    <message>
        <source>par mois</source>
        <translation>per month</translation>
    </message>
    <message>
        <source>par tranche de %1 heures</source>
        <translation>per %1 hours</translation>
    </message>
    <message>
        <source>par tranche de %1 minutes</source>
        <translation>per %1 minutes</translation>
    </message>
    <message>
        <source>Nombre de véhicules</source>
        <translation>Vehicle count</translation>
    </message>
    <message>
        <source>vitesse</source>
        <translation>speed</translation>
    </message>
    <message>
        <source>Nombre de relevés</source>
        <translation>Readings</translation>
    </message>
    <message>
        <source>relevés entrants</source>
        <translation>inbound readings</translation>
    </message>
    <message>
        <source>relevés sortants</source>
        <translation>outbound readings</translation>
    </message>
    <message>
        <source>véhicules entrants</source>
        <translation>inbound vehicles</translation>
    </message>
    <message>
        <source>véhicules sortants</source>
        <translation>outbound vehicles</translation>
    </message>
    <message>
        <source>%1 : %L2 %3</source>
        <translation>%1: %L2 %3</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
</context>
<context>
    <name>TimePlotTab</name>
    <message>
        <source>Vitesses moyennes</source>
        <translation>Mean speeds</translation>
    </message>
    <message>
        <source>Sens entrant (%1 %2)</source>
        <translation>Inbound (%1 %2)</translation>
    </message>
    <message>
        <source>Sens sortant (%1 %2)</source>
        <translation>Outbound (%1 %2)</translation>
    </message>
    <message>
        <source>Relevés entrants %1</source>
        <translation>Inbound readings %1</translation>
    </message>
    <message>
        <source>Relevés sortants %1</source>
        <translation>Outbound readings %1</translation>
    </message>
    <message>
        <source>Véhicules entrant %1</source>
        <translation>Inbound vehicles %1</translation>
    </message>
    <message>
        <source>Véhicules sortant %1</source>
        <translation>Outbound vehicles %1</translation>
    </message>
    <message>
        <source>Véhicules entrants %1</source>
        <translation>Inbound vehicles %1</translation>
    </message>
    <message>
        <source>Véhicules sortants %1</source>
        <translation>Outbound vehicles %1</translation>
    </message>
    <message>
        <source>Vitesses maximum</source>
        <translation>Maximum speeds</translation>
    </message>
</context>
<context>
    <name>TrafficSummary</name>
    <message>
        <source>Limite non renseignée</source>
        <translation>Limit not set</translation>
    </message>
    <message>
        <source>limite donnée pour cette analyse</source>
        <translation>limit given for this analysis</translation>
    </message>
    <message>
        <source>limite du site</source>
        <translation>the site&apos;s limit</translation>
    </message>
</context>
</TS>
