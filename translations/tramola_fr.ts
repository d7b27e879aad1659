<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>AnalysisJob</name>
    <message>
        <source>Statistiques</source>
        <translation>Statistiques</translation>
    </message>
    <message>
        <source>Chargement</source>
        <translation>Chargement</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>AnalysisRunner</name>
    <message>
        <source>Aucun relevé au-dessus de %1 %2 dans la période.</source>
        <translation>Aucun relevé au-dessus de %1 %2 dans la période.</translation>
    </message>
    <message>
        <source>Ouverture %1 impossible</source>
        <translation>Ouverture %1 impossible</translation>
    </message>
    <message>
        <source>Statistiques indisponibles</source>
        <translation>Statistiques indisponibles</translation>
    </message>
    <message>
        <source>Statistiques indisponibles, la base de données est vide</source>
        <translation>Statistiques indisponibles, la base de données est vide</translation>
    </message>
    <message>
        <source>Campagne inconnue : %1 (campagnes : %2)</source>
        <translation>Campagne inconnue : %1 (campagnes : %2)</translation>
    </message>
    <message>
        <source>Campagnes ignorées, d&apos;un autre mode de stockage que la première cochée : %1</source>
        <translation>Campagnes ignorées, d&apos;un autre mode de stockage que la première cochée : %1</translation>
    </message>
    <message>
        <source>Campagnes intermédiaires ajoutées pour la continuité des données : %1</source>
        <translation>Campagnes intermédiaires ajoutées pour la continuité des données : %1</translation>
    </message>
    <message>
        <source>Période des campagnes illisible</source>
        <translation>Période des campagnes illisible</translation>
    </message>
    <message>
        <source>Ce n&apos;est pas un fichier ordinaire : %1</source>
        <translation>Ce n&apos;est pas un fichier ordinaire : %1</translation>
    </message>
    <message>
        <source>Fichier introuvable : %1</source>
        <translation>Fichier introuvable : %1</translation>
    </message>
    <message>
        <source>Fichier illisible : %1</source>
        <translation>Fichier illisible : %1</translation>
    </message>
    <message>
        <source>Fichier de zones introuvable : %1</source>
        <translation>Fichier de zones introuvable : %1</translation>
    </message>
    <message>
        <source>Connexion base de données...</source>
        <translation>Connexion base de données...</translation>
    </message>
    <message>
        <source>Fichier de zones illisible (%1), zones par défaut : %2</source>
        <translation>Fichier de zones illisible (%1), zones par défaut : %2</translation>
    </message>
    <message>
        <source>Zone de vitesse inconnue : %1 (zones : %2)</source>
        <translation>Zone de vitesse inconnue : %1 (zones : %2)</translation>
    </message>
    <message>
        <source>Période trop longue pour un seuil de %1 minutes : %2 à %3</source>
        <translation>Période trop longue pour un seuil de %1 minutes : %2 à %3</translation>
    </message>
    <message>
        <source>Calcul des statistiques</source>
        <translation>Calcul des statistiques</translation>
    </message>
    <message>
        <source>Vitesses Moyennes/Maximales indisponibles</source>
        <translation>Vitesses Moyennes/Maximales indisponibles</translation>
    </message>
    <message>
        <source>Analyse annulée</source>
        <translation>Analyse annulée</translation>
    </message>
    <message>
        <source>mode de la campagne</source>
        <translation>mode de la campagne</translation>
    </message>
    <message>
        <source>mode de la campagne ; les relevés : %1</source>
        <translation>mode de la campagne ; les relevés : %1</translation>
    </message>
    <message>
        <source>Les relevés ne suivent pas le mode de stockage des campagnes (%1) : le diviseur suit les campagnes.</source>
        <translation>Les relevés ne suivent pas le mode de stockage des campagnes (%1) : le diviseur suit les campagnes.</translation>
    </message>
</context>
<context>
    <name>AreaImportDialog</name>
    <message>
        <source>Importation</source>
        <translation>Importation</translation>
    </message>
    <message>
        <source>Importer</source>
        <translation>Importer</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>BeforeAfter</name>
    <message>
        <source>Avant (A) : %1</source>
        <translation>Avant (A) : %1</translation>
    </message>
    <message>
        <source>Après (B) : %1</source>
        <translation>Après (B) : %1</translation>
    </message>
    <message>
        <source>aucune</source>
        <translation>aucune</translation>
    </message>
    <message>
        <source>Unités différentes : A en %1, B en %2 ; une comparaison demande deux fichiers de mêmes unités.</source>
        <translation>Unités différentes : A en %1, B en %2 ; une comparaison demande deux fichiers de mêmes unités.</translation>
    </message>
    <message>
        <source>Limites enregistrées différentes (A : %1, B : %2) : la comparaison retient celle de A.</source>
        <translation>Limites enregistrées différentes (A : %1, B : %2) : la comparaison retient celle de A.</translation>
    </message>
    <message>
        <source>Aucun sens de circulation commun à A et B : rien à comparer.</source>
        <translation>Aucun sens de circulation commun à A et B : rien à comparer.</translation>
    </message>
</context>
<context>
    <name>BucketTableModel</name>
    <message>
        <source>Entrant</source>
        <translation>Entrant</translation>
    </message>
    <message>
        <source>Sortant</source>
        <translation>Sortant</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Nombre de relevés</source>
        <translation>Nombre de relevés</translation>
    </message>
    <message>
        <source>Nombre de relevés (sans diviseur)</source>
        <translation>Nombre de relevés (sans diviseur)</translation>
    </message>
    <message>
        <source>Nombre véhicules (relevés / %1)</source>
        <translation>Nombre véhicules (relevés / %1)</translation>
    </message>
    <message>
        <source>Nombre véhicules</source>
        <translation>Nombre véhicules</translation>
    </message>
    <message>
        <source>Vitesse moyenne</source>
        <translation>Vitesse moyenne</translation>
    </message>
    <message>
        <source>Vitesse maximale</source>
        <translation>Vitesse maximale</translation>
    </message>
    <message>
        <source>Sens</source>
        <translation>Sens</translation>
    </message>
</context>
<context>
    <name>BucketTableTab</name>
    <message>
        <source>&lt;body&gt;&lt;h2&gt;Historique des mesures&lt;/h2&gt;&lt;hr/&gt;&lt;table class=&quot;sample&quot; width=100%&gt;</source>
        <translation>&lt;body&gt;&lt;h2&gt;Historique des mesures&lt;/h2&gt;&lt;hr/&gt;&lt;table class=&quot;sample&quot; width=100%&gt;</translation>
    </message>
</context>
<context>
    <name>CampaignChoiceDialog</name>
    <message>
        <source>&lt;b&gt;Campagnes statistiques&lt;/b&gt;</source>
        <translation>&lt;b&gt;Campagnes statistiques&lt;/b&gt;</translation>
    </message>
    <message>
        <source>Effacer</source>
        <translation>Effacer</translation>
    </message>
    <message>
        <source>Tout sélectionner</source>
        <translation>Tout sélectionner</translation>
    </message>
    <message>
        <source>Campagne du %1</source>
        <translation>Campagne du %1</translation>
    </message>
    <message>
        <source>Campagnes</source>
        <translation>Campagnes</translation>
    </message>
    <message>
        <source>Inverser la sélection</source>
        <translation>Inverser la sélection</translation>
    </message>
</context>
<context>
    <name>CampaignDescriptionDialog</name>
    <message>
        <source>&lt;b&gt;Informations sur la campagne statistiques&lt;/b&gt;</source>
        <translation>&lt;b&gt;Informations sur la campagne statistiques&lt;/b&gt;</translation>
    </message>
    <message>
        <source>Date de début</source>
        <translation>Date de début</translation>
    </message>
    <message>
        <source>Date de fin</source>
        <translation>Date de fin</translation>
    </message>
    <message>
        <source>Titre</source>
        <translation>Titre</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Campagne</source>
        <translation>Campagne</translation>
    </message>
</context>
<context>
    <name>CampaignSelection</name>
    <message>
        <source>Tout sélectionner</source>
        <translation>Tout sélectionner</translation>
    </message>
    <message>
        <source>Statistiques</source>
        <translation>Statistiques</translation>
    </message>
    <message>
        <source>Erreur à l&apos;ouverture de la base de données.
</source>
        <translation>Erreur à l&apos;ouverture de la base de données.
</translation>
    </message>
    <message>
        <source>Statistiques indisponibles, la base de données est vide</source>
        <translation>Statistiques indisponibles, la base de données est vide</translation>
    </message>
    <message>
        <source>Tout désélectionner</source>
        <translation>Tout désélectionner</translation>
    </message>
    <message>
        <source>Des campagnes intermédiaires ont été sélectionnées
automatiquement pour garantir la continuité des données.</source>
        <translation>Des campagnes intermédiaires ont été sélectionnées
automatiquement pour garantir la continuité des données.</translation>
    </message>
    <message>
        <source>Maintenance des données</source>
        <translation>Maintenance des données</translation>
    </message>
    <message>
        <source>Oui</source>
        <translation>Oui</translation>
    </message>
    <message>
        <source>Non</source>
        <translation>Non</translation>
    </message>
    <message>
        <source>du %1 au %2</source>
        <translation>du %1 au %2</translation>
    </message>
    <message>
        <source>Vous allez effacer la campagne :&lt;br/&gt;&lt;br/&gt;&lt;b&gt;%1&lt;/b&gt;&lt;br/&gt;%2&lt;br/&gt;&lt;br/&gt;Ces données ne seront pas &lt;u&gt;récupérables&lt;/u&gt;.&lt;br/&gt;&lt;br/&gt;Désirez-vous continuer ?&lt;br/&gt;&lt;br/&gt;</source>
        <translation>Vous allez effacer la campagne :&lt;br/&gt;&lt;br/&gt;&lt;b&gt;%1&lt;/b&gt;&lt;br/&gt;%2&lt;br/&gt;&lt;br/&gt;Ces données ne seront pas &lt;u&gt;récupérables&lt;/u&gt;.&lt;br/&gt;&lt;br/&gt;Désirez-vous continuer ?&lt;br/&gt;&lt;br/&gt;</translation>
    </message>
    <message>
        <source>La base de données %1 est en lecture seule : les campagnes sont calculées pour cette fois, sans pouvoir y être enregistrées.</source>
        <translation>La base de données %1 est en lecture seule : les campagnes sont calculées pour cette fois, sans pouvoir y être enregistrées.</translation>
    </message>
    <message>
        <source>Le mode de stockage des statistiques pour certaines campagnes est
différent du mode de la première campagne sélectionnée.

Ces statistiques créées avec une version de matériel différent ne
peuvent être mélangées et ont été ignorées

</source>
        <translation>Le mode de stockage des statistiques pour certaines campagnes est
différent du mode de la première campagne sélectionnée.

Ces statistiques créées avec une version de matériel différent ne
peuvent être mélangées et ont été ignorées

</translation>
    </message>
</context>
<context>
    <name>CampaignStore</name>
    <message>
        <source>Statistiques</source>
        <translation>Statistiques</translation>
    </message>
    <message>
        <source>Base de données</source>
        <translation>Base de données</translation>
    </message>
    <message>
        <source>Vérification de la structure ...</source>
        <translation>Vérification de la structure ...</translation>
    </message>
    <message>
        <source>Vérification des campagnes ...&lt;br/&gt;Ce traitement peut prendre du temps mais&lt;br/&gt;est effectué une seule fois&lt;br/&gt;</source>
        <translation>Vérification des campagnes ...&lt;br/&gt;Ce traitement peut prendre du temps mais&lt;br/&gt;est effectué une seule fois&lt;br/&gt;</translation>
    </message>
    <message>
        <source>Mise à jour des campagnes</source>
        <translation>Mise à jour des campagnes</translation>
    </message>
    <message>
        <source>Campagne créée automatiquement</source>
        <translation>Campagne créée automatiquement</translation>
    </message>
</context>
<context>
    <name>CampaignSynopsis</name>
    <message>
        <source>Campagne</source>
        <translation>Campagne</translation>
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
        <translation>(Du %1 au %2)</translation>
    </message>
    <message>
        <source>Titre</source>
        <translation>Titre</translation>
    </message>
</context>
<context>
    <name>CampaignTab</name>
    <message>
        <source>Détail</source>
        <translation>Détail</translation>
    </message>
    <message>
        <source>Titre</source>
        <translation>Titre</translation>
    </message>
    <message>
        <source>Commentaires</source>
        <translation>Commentaires</translation>
    </message>
    <message>
        <source>Statistiques</source>
        <translation>Statistiques</translation>
    </message>
    <message>
        <source>Aucune campagne n&apos;est cochée : rien n&apos;a été chargé.</source>
        <translation>Aucune campagne n&apos;est cochée : rien n&apos;a été chargé.</translation>
    </message>
    <message>
        <source>Date d&apos;enregistrement :</source>
        <translation>Date d&apos;enregistrement :</translation>
    </message>
    <message>
        <source>Date de début :</source>
        <translation>Date de début :</translation>
    </message>
    <message>
        <source>Date de fin :</source>
        <translation>Date de fin :</translation>
    </message>
    <message>
        <source>Nombre de mesures :</source>
        <translation>Nombre de mesures :</translation>
    </message>
    <message>
        <source>Nombre de jours :</source>
        <translation>Nombre de jours :</translation>
    </message>
    <message>
        <source>Modifier…</source>
        <translation>Modifier…</translation>
    </message>
</context>
<context>
    <name>CheckedFile</name>
    <message>
        <source>disque plein</source>
        <translation>disque plein</translation>
    </message>
    <message>
        <source>accès refusé</source>
        <translation>accès refusé</translation>
    </message>
    <message>
        <source>disque protégé en écriture</source>
        <translation>disque protégé en écriture</translation>
    </message>
    <message>
        <source>fichier ouvert par un autre programme</source>
        <translation>fichier ouvert par un autre programme</translation>
    </message>
    <message>
        <source>dossier introuvable</source>
        <translation>dossier introuvable</translation>
    </message>
    <message>
        <source>nom de fichier trop long</source>
        <translation>nom de fichier trop long</translation>
    </message>
    <message>
        <source>erreur matérielle du disque</source>
        <translation>erreur matérielle du disque</translation>
    </message>
    <message>
        <source>partage réseau perdu</source>
        <translation>partage réseau perdu</translation>
    </message>
    <message>
        <source>quota de disque atteint</source>
        <translation>quota de disque atteint</translation>
    </message>
    <message>
        <source>taille de fichier maximale atteinte</source>
        <translation>taille de fichier maximale atteinte</translation>
    </message>
    <message>
        <source>disque en lecture seule</source>
        <translation>disque en lecture seule</translation>
    </message>
    <message>
        <source>un dossier porte ce nom</source>
        <translation>un dossier porte ce nom</translation>
    </message>
    <message>
        <source>trop de fichiers ouverts</source>
        <translation>trop de fichiers ouverts</translation>
    </message>
    <message>
        <source>fichier occupé</source>
        <translation>fichier occupé</translation>
    </message>
    <message>
        <source>écriture impossible</source>
        <translation>écriture impossible</translation>
    </message>
    <message>
        <source>écriture impossible (%1)</source>
        <translation>écriture impossible (%1)</translation>
    </message>
    <message>
        <source>ce n&apos;est pas un fichier ordinaire</source>
        <translation>ce n&apos;est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>écriture annulée</source>
        <translation>écriture annulée</translation>
    </message>
</context>
<context>
    <name>ComparisonController</name>
    <message>
        <source>Comparaison</source>
        <translation>Comparaison</translation>
    </message>
</context>
<context>
    <name>ComparisonDialog</name>
    <message>
        <source>Campagnes</source>
        <translation>Campagnes</translation>
    </message>
    <message>
        <source>Période</source>
        <translation>Période</translation>
    </message>
    <message>
        <source>Comparer avant / après</source>
        <translation>Comparer avant / après</translation>
    </message>
    <message>
        <source>&lt;b&gt;Avant (A)&lt;/b&gt; : %1, du %2 au %3</source>
        <translation>&lt;b&gt;Avant (A)&lt;/b&gt; : %1, du %2 au %3</translation>
    </message>
    <message>
        <source>Après (B)</source>
        <translation>Après (B)</translation>
    </message>
    <message>
        <source>Autre fichier…</source>
        <translation>Autre fichier…</translation>
    </message>
    <message>
        <source>Du</source>
        <translation>Du</translation>
    </message>
    <message>
        <source>Au</source>
        <translation>Au</translation>
    </message>
    <message>
        <source>Comparer</source>
        <translation>Comparer</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Fichier : %1</source>
        <translation>Fichier : %1</translation>
    </message>
    <message>
        <source>%1 : du %2 au %3</source>
        <translation>%1 : du %2 au %3</translation>
    </message>
    <message>
        <source>Cochez au moins une campagne pour B.</source>
        <translation>Cochez au moins une campagne pour B.</translation>
    </message>
    <message>
        <source>La période de B est vide : son début est après sa fin.</source>
        <translation>La période de B est vide : son début est après sa fin.</translation>
    </message>
    <message>
        <source>Fichier de B</source>
        <translation>Fichier de B</translation>
    </message>
    <message>
        <source>Base de données (*.db)</source>
        <translation>Base de données (*.db)</translation>
    </message>
</context>
<context>
    <name>ComparisonTab</name>
    <message>
        <source>Vitesses cumulées, %1</source>
        <translation>Vitesses cumulées, %1</translation>
    </message>
    <message>
        <source>Vitesse (%1)</source>
        <translation>Vitesse (%1)</translation>
    </message>
    <message>
        <source>Véhicules plus lents (%)</source>
        <translation>Véhicules plus lents (%)</translation>
    </message>
    <message>
        <source>A (avant)</source>
        <translation>A (avant)</translation>
    </message>
    <message>
        <source>B (après)</source>
        <translation>B (après)</translation>
    </message>
    <message>
        <source>V85 %1</source>
        <translation>V85 %1</translation>
    </message>
    <message>
        <source>Limite %1</source>
        <translation>Limite %1</translation>
    </message>
    <message>
        <source>V85 (%1)</source>
        <translation>V85 (%1)</translation>
    </message>
    <message>
        <source>Limite %1 %2</source>
        <translation>Limite %1 %2</translation>
    </message>
    <message>
        <source>V85 heure par heure, deux sens</source>
        <translation>V85 heure par heure, deux sens</translation>
    </message>
    <message>
        <source>Heure</source>
        <translation>Heure</translation>
    </message>
    <message>
        <source>Écart B − A</source>
        <translation>Écart B − A</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>Vitesse limite : %1 %2</source>
        <translation>Vitesse limite : %1 %2</translation>
    </message>
    <message>
        <source>Vitesse limite : aucune</source>
        <translation>Vitesse limite : aucune</translation>
    </message>
    <message>
        <source>Tests au seuil de 5 %, sur le nombre de véhicules.</source>
        <translation>Tests au seuil de 5 %, sur le nombre de véhicules.</translation>
    </message>
    <message>
        <source>Indicateur</source>
        <translation>Indicateur</translation>
    </message>
    <message>
        <source>Welch : t = %1, ddl = %2, %3</source>
        <translation>Welch : t = %1, ddl = %2, %3</translation>
    </message>
    <message>
        <source>IC 95 % : %1 à %2</source>
        <translation>IC 95 % : %1 à %2</translation>
    </message>
    <message>
        <source>z = %1, %2</source>
        <translation>z = %1, %2</translation>
    </message>
    <message>
        <source>Kolmogorov-Smirnov : D = %1, %2</source>
        <translation>Kolmogorov-Smirnov : D = %1, %2</translation>
    </message>
    <message>
        <source>Véhicules</source>
        <translation>Véhicules</translation>
    </message>
    <message>
        <source>Vitesse moyenne (%1)</source>
        <translation>Vitesse moyenne (%1)</translation>
    </message>
    <message>
        <source>Écart type (%1)</source>
        <translation>Écart type (%1)</translation>
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
        <translation>Répartition des vitesses</translation>
    </message>
    <message>
        <source>A (avant) : %1, du %2 au %3</source>
        <translation>A (avant) : %1, du %2 au %3</translation>
    </message>
    <message>
        <source>B (après) : %1, du %2 au %3</source>
        <translation>B (après) : %1, du %2 au %3</translation>
    </message>
    <message>
        <source>Sens</source>
        <translation>Sens</translation>
    </message>
    <message>
        <source>Limite</source>
        <translation>Limite</translation>
    </message>
    <message>
        <source>Comparaison avant / après</source>
        <translation>Comparaison avant / après</translation>
    </message>
    <message>
        <source>Part &gt; limite (%)</source>
        <translation>Part &gt; limite (%)</translation>
    </message>
    <message>
        <source>Part &gt; limite + 10 (%)</source>
        <translation>Part &gt; limite + 10 (%)</translation>
    </message>
    <message>
        <source>Part &gt; limite + 20 (%)</source>
        <translation>Part &gt; limite + 20 (%)</translation>
    </message>
</context>
<context>
    <name>CriteriaPanel</name>
    <message>
        <source>Critères</source>
        <translation>Critères</translation>
    </message>
    <message>
        <source>Début :</source>
        <translation>Début :</translation>
    </message>
    <message>
        <source>Fin :</source>
        <translation>Fin :</translation>
    </message>
    <message>
        <source>Vitesse minimale prise en compte :</source>
        <translation>Vitesse minimale prise en compte :</translation>
    </message>
    <message>
        <source>Largeur des intervalles des courbes et du tableau (Outils, Précision)</source>
        <translation>Largeur des intervalles des courbes et du tableau (Outils, Précision)</translation>
    </message>
    <message>
        <source>Emplacement :</source>
        <translation>Emplacement :</translation>
    </message>
    <message>
        <source>Gérer les zones de vitesses</source>
        <translation>Gérer les zones de vitesses</translation>
    </message>
    <message>
        <source>Vitesse limite :</source>
        <translation>Vitesse limite :</translation>
    </message>
    <message>
        <source>Vitesse limite du site, gardée dans le fichier de mesures</source>
        <translation>Vitesse limite du site, gardée dans le fichier de mesures</translation>
    </message>
    <message>
        <source>Données</source>
        <translation>Données</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;Début d&apos;exploitation :&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;Début d&apos;exploitation :&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;Fin d&apos;exploitation :&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;Fin d&apos;exploitation :&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;Mode stockage :&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600;&quot;&gt;Mode stockage :&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>%1 relevés ignorés : sens ou vitesse invalide</source>
        <translation>%1 relevés ignorés : sens ou vitesse invalide</translation>
    </message>
    <message>
        <source>Sens autre que 0 ou 1, ou vitesse hors de 0 à 1000</source>
        <translation>Sens autre que 0 ou 1, ou vitesse hors de 0 à 1000</translation>
    </message>
    <message>
        <source>Précision : %1 min</source>
        <translation>Précision : %1 min</translation>
    </message>
    <message>
        <source>Zones de vitesse</source>
        <translation>Zones de vitesse</translation>
    </message>
    <message>
        <source>Rafraîchir</source>
        <translation>Rafraîchir</translation>
    </message>
    <message>
        <source>Lieu de la mesure :</source>
        <translation>Lieu de la mesure :</translation>
    </message>
    <message>
        <source>Commentaire :</source>
        <translation>Commentaire :</translation>
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
        <translation>Nombre de relevés</translation>
    </message>
    <message>
        <source>Nombre véhicules</source>
        <translation>Nombre véhicules</translation>
    </message>
    <message>
        <source>Vitesse moyenne</source>
        <translation>Vitesse moyenne</translation>
    </message>
    <message>
        <source>Vitesse maximale</source>
        <translation>Vitesse maximale</translation>
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
        <translation>Moyenne</translation>
    </message>
    <message>
        <source>Vitesse</source>
        <translation>Vitesse</translation>
    </message>
    <message>
        <source>direction</source>
        <translation>direction</translation>
    </message>
    <message>
        <source>Erreur à l&apos;exportation</source>
        <translation>Erreur à l&apos;exportation</translation>
    </message>
    <message>
        <source>Indicateur</source>
        <translation>Indicateur</translation>
    </message>
    <message>
        <source>Heure</source>
        <translation>Heure</translation>
    </message>
    <message>
        <source>%1 véh./h lundi-vendredi</source>
        <translation>%1 véh./h lundi-vendredi</translation>
    </message>
    <message>
        <source>%1 véh./h week-end</source>
        <translation>%1 véh./h week-end</translation>
    </message>
    <message>
        <source>%1 V85</source>
        <translation>%1 V85</translation>
    </message>
    <message>
        <source>Le fichier %1 n&apos;a pas pu être écrit : %2</source>
        <translation>Le fichier %1 n&apos;a pas pu être écrit : %2</translation>
    </message>
    <message>
        <source>Exporter</source>
        <translation>Exporter</translation>
    </message>
    <message>
        <source>Fichier CSV (*.csv)</source>
        <translation>Fichier CSV (*.csv)</translation>
    </message>
    <message>
        <source>%1 relevés/h lundi-vendredi</source>
        <translation>%1 relevés/h lundi-vendredi</translation>
    </message>
    <message>
        <source>%1 relevés/h week-end</source>
        <translation>%1 relevés/h week-end</translation>
    </message>
    <message>
        <source>CSV tableur (virgule décimale) (*.csv)</source>
        <translation>CSV tableur (virgule décimale) (*.csv)</translation>
    </message>
    <message>
        <source>Ces fichiers existent déjà et seront remplacés :
%1</source>
        <translation>Ces fichiers existent déjà et seront remplacés :
%1</translation>
    </message>
    <message>
        <source>Remplacer</source>
        <translation>Remplacer</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>CsvFile</name>
    <message>
        <source>Importation</source>
        <translation>Importation</translation>
    </message>
    <message numerus="yes">
        <source>%n autre(s) enregistrement(s) comporte(nt) un nombre de champs incorrect&lt;br/&gt;&lt;br/&gt;</source>
        <translation>
            <numerusform>%n autre(s) enregistrement(s) comporte(nt) un nombre de champs incorrect&lt;br/&gt;&lt;br/&gt;</numerusform>
            <numerusform>%n autre(s) enregistrement(s) comporte(nt) un nombre de champs incorrect&lt;br/&gt;&lt;br/&gt;</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>… et %n autre(s) message(s)</source>
        <translation>
            <numerusform>… et %n autre(s) message(s)</numerusform>
            <numerusform>… et %n autre(s) message(s)</numerusform>
        </translation>
    </message>
    <message>
        <source>L&apos;enregistrement %1 / %2 / %3 comporte un nombre de champs incorrect&lt;br/&gt;&lt;br/&gt;</source>
        <translation>L&apos;enregistrement %1 / %2 / %3 comporte un nombre de champs incorrect&lt;br/&gt;&lt;br/&gt;</translation>
    </message>
    <message>
        <source>Un guillemet ouvert à la ligne %1 n&apos;est jamais refermé : la suite du fichier est ignorée&lt;br/&gt;&lt;br/&gt;</source>
        <translation>Un guillemet ouvert à la ligne %1 n&apos;est jamais refermé : la suite du fichier est ignorée&lt;br/&gt;&lt;br/&gt;</translation>
    </message>
    <message>
        <source>Ouvrir un fichier CSV</source>
        <translation>Ouvrir un fichier CSV</translation>
    </message>
</context>
<context>
    <name>CsvTreeModel</name>
    <message>
        <source>Emplacement</source>
        <translation>Emplacement</translation>
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
        <translation>ce n&apos;est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>La base de données %1 est endommagée (%2). Rien n&apos;y a été écrit ; faites vérifier une copie de ce fichier.</source>
        <translation>La base de données %1 est endommagée (%2). Rien n&apos;y a été écrit ; faites vérifier une copie de ce fichier.</translation>
    </message>
    <message>
        <source>La base de données %1 est utilisée par un autre programme. Fermez-le, puis recommencez.</source>
        <translation>La base de données %1 est utilisée par un autre programme. Fermez-le, puis recommencez.</translation>
    </message>
    <message>
        <source>Statistiques</source>
        <translation>Statistiques</translation>
    </message>
    <message>
        <source>Le fichier %1 ne peut pas être ouvert (%2).</source>
        <translation>Le fichier %1 ne peut pas être ouvert (%2).</translation>
    </message>
    <message>
        <source>Le fichier %1 n&apos;est pas une base de mesures (%2) ; il est laissé tel quel.</source>
        <translation>Le fichier %1 n&apos;est pas une base de mesures (%2) ; il est laissé tel quel.</translation>
    </message>
    <message>
        <source>il n&apos;a pas de table measure</source>
        <translation>il n&apos;a pas de table measure</translation>
    </message>
    <message>
        <source>Le fichier %1 est endommagé : lecture interrompue (%2).</source>
        <translation>Le fichier %1 est endommagé : lecture interrompue (%2).</translation>
    </message>
    <message>
        <source>Impossible d&apos;écrire dans %1 : le disque est plein ou en erreur (%2). Rien n&apos;a été enregistré ; libérez de la place, puis recommencez.</source>
        <translation>Impossible d&apos;écrire dans %1 : le disque est plein ou en erreur (%2). Rien n&apos;a été enregistré ; libérez de la place, puis recommencez.</translation>
    </message>
    <message>
        <source>Impossible d&apos;écrire dans %1 : le fichier ou son disque est en lecture seule (%2). Rien n&apos;a été enregistré.</source>
        <translation>Impossible d&apos;écrire dans %1 : le fichier ou son disque est en lecture seule (%2). Rien n&apos;a été enregistré.</translation>
    </message>
    <message>
        <source>L&apos;écriture dans %1 a échoué (%2) : rien n&apos;a été enregistré.</source>
        <translation>L&apos;écriture dans %1 a échoué (%2) : rien n&apos;a été enregistré.</translation>
    </message>
    <message>
        <source>Base de données</source>
        <translation>Base de données</translation>
    </message>
</context>
<context>
    <name>DistributionTab</name>
    <message>
        <source>Relevés entrants</source>
        <translation>Relevés entrants</translation>
    </message>
    <message>
        <source>Relevés sortants</source>
        <translation>Relevés sortants</translation>
    </message>
    <message>
        <source>Véhicules entrants</source>
        <translation>Véhicules entrants</translation>
    </message>
    <message>
        <source>Véhicules sortants</source>
        <translation>Véhicules sortants</translation>
    </message>
    <message>
        <source> (et +)</source>
        <translation> (et +)</translation>
    </message>
    <message>
        <source>Répartition des relevés par classe de vitesse</source>
        <translation>Répartition des relevés par classe de vitesse</translation>
    </message>
    <message>
        <source>Répartition des véhicules par classe de vitesse</source>
        <translation>Répartition des véhicules par classe de vitesse</translation>
    </message>
    <message>
        <source>Classe (%1)</source>
        <translation>Classe (%1)</translation>
    </message>
    <message>
        <source>Relevés</source>
        <translation>Relevés</translation>
    </message>
    <message>
        <source>Véhicules</source>
        <translation>Véhicules</translation>
    </message>
    <message>
        <source>Part</source>
        <translation>Part</translation>
    </message>
    <message>
        <source>Part cumulée</source>
        <translation>Part cumulée</translation>
    </message>
</context>
<context>
    <name>FileDrop</name>
    <message>
        <source>%1 : seuls les fichiers de mesures .db s&apos;ouvrent ici</source>
        <translation>%1 : seuls les fichiers de mesures .db s&apos;ouvrent ici</translation>
    </message>
</context>
<context>
    <name>FleetFile</name>
    <message>
        <source>Fichier</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>Lieu</source>
        <translation>Lieu</translation>
    </message>
    <message>
        <source>Commentaire</source>
        <translation>Commentaire</translation>
    </message>
    <message>
        <source>Unités</source>
        <translation>Unités</translation>
    </message>
    <message>
        <source>Mode de stockage</source>
        <translation>Mode de stockage</translation>
    </message>
    <message>
        <source>Début</source>
        <translation>Début</translation>
    </message>
    <message>
        <source>Fin</source>
        <translation>Fin</translation>
    </message>
    <message>
        <source>Jours complets</source>
        <translation>Jours complets</translation>
    </message>
    <message>
        <source>Relevés chargés</source>
        <translation>Relevés chargés</translation>
    </message>
    <message>
        <source>Vitesse limite</source>
        <translation>Vitesse limite</translation>
    </message>
    <message>
        <source>Sens</source>
        <translation>Sens</translation>
    </message>
    <message>
        <source>Véhicules</source>
        <translation>Véhicules</translation>
    </message>
    <message>
        <source>Trafic moyen journalier</source>
        <translation>Trafic moyen journalier</translation>
    </message>
    <message>
        <source>Vitesse moyenne</source>
        <translation>Vitesse moyenne</translation>
    </message>
    <message>
        <source>V85</source>
        <translation>V85</translation>
    </message>
    <message>
        <source>Au-dessus de la limite (%)</source>
        <translation>Au-dessus de la limite (%)</translation>
    </message>
    <message>
        <source>Au-dessus de la limite + 10 (%)</source>
        <translation>Au-dessus de la limite + 10 (%)</translation>
    </message>
    <message>
        <source>Erreur</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Avancé</source>
        <translation>Avancé</translation>
    </message>
    <message>
        <source>Entrant</source>
        <translation>Entrant</translation>
    </message>
    <message>
        <source>Sortant</source>
        <translation>Sortant</translation>
    </message>
</context>
<context>
    <name>FleetModel</name>
    <message numerus="yes">
        <source>%n jour(s) sans mesure</source>
        <translation>
            <numerusform>%n jour(s) sans mesure</numerusform>
            <numerusform>%n jour(s) sans mesure</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n relevé(s) invraisemblable(s)</source>
        <translation>
            <numerusform>%n relevé(s) invraisemblable(s)</numerusform>
            <numerusform>%n relevé(s) invraisemblable(s)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n relevé(s) illisible(s)</source>
        <translation>
            <numerusform>%n relevé(s) illisible(s)</numerusform>
            <numerusform>%n relevé(s) illisible(s)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n relevé(s) mal daté(s)</source>
        <translation>
            <numerusform>%n relevé(s) mal daté(s)</numerusform>
            <numerusform>%n relevé(s) mal daté(s)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n relevé(s) répété(s)</source>
        <translation>
            <numerusform>%n relevé(s) répété(s)</numerusform>
            <numerusform>%n relevé(s) répété(s)</numerusform>
        </translation>
    </message>
    <message>
        <source>Fichier</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>Site</source>
        <translation>Site</translation>
    </message>
    <message>
        <source>Sens</source>
        <translation>Sens</translation>
    </message>
    <message>
        <source>Jours complets</source>
        <translation>Jours complets</translation>
    </message>
    <message>
        <source>Trafic journalier</source>
        <translation>Trafic journalier</translation>
    </message>
    <message>
        <source>Vitesse moyenne</source>
        <translation>Vitesse moyenne</translation>
    </message>
    <message>
        <source>V85</source>
        <translation>V85</translation>
    </message>
    <message>
        <source>Limite</source>
        <translation>Limite</translation>
    </message>
    <message>
        <source>Qualité des données</source>
        <translation>Qualité des données</translation>
    </message>
    <message>
        <source>Période</source>
        <translation>Période</translation>
    </message>
    <message>
        <source>Part &gt; limite (%)</source>
        <translation>Part &gt; limite (%)</translation>
    </message>
</context>
<context>
    <name>FleetRunner</name>
    <message>
        <source>Chemin introuvable : %1</source>
        <translation>Chemin introuvable : %1</translation>
    </message>
    <message>
        <source>Dossier illisible : %1</source>
        <translation>Dossier illisible : %1</translation>
    </message>
</context>
<context>
    <name>FleetWindow</name>
    <message>
        <source>Exporter…</source>
        <translation>Exporter…</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Parc de radars</source>
        <translation>Parc de radars</translation>
    </message>
    <message>
        <source>Filtrer (fichier, site, sens…)</source>
        <translation>Filtrer (fichier, site, sens…)</translation>
    </message>
    <message>
        <source>Parc de radars - %1</source>
        <translation>Parc de radars - %1</translation>
    </message>
    <message>
        <source>Analyse annulée : %1 fichiers sur %2</source>
        <translation>Analyse annulée : %1 fichiers sur %2</translation>
    </message>
    <message>
        <source>%1 fichiers analysés, %2 sans résultat</source>
        <translation>%1 fichiers analysés, %2 sans résultat</translation>
    </message>
    <message>
        <source>%1/%2 fichiers</source>
        <translation>%1/%2 fichiers</translation>
    </message>
    <message>
        <source>aucune</source>
        <translation>aucune</translation>
    </message>
    <message>
        <source>Vitesse limite des fichiers qui n&apos;en enregistrent pas ; celle d&apos;un fichier l&apos;emporte</source>
        <translation>Vitesse limite des fichiers qui n&apos;en enregistrent pas ; celle d&apos;un fichier l&apos;emporte</translation>
    </message>
    <message>
        <source>Limite par défaut :</source>
        <translation>Limite par défaut :</translation>
    </message>
    <message>
        <source>Ouvrir un dossier de fichiers de mesures</source>
        <translation>Ouvrir un dossier de fichiers de mesures</translation>
    </message>
</context>
<context>
    <name>HourlyProfilePlot</name>
    <message>
        <source>Profil horaire</source>
        <translation>Profil horaire</translation>
    </message>
    <message>
        <source>Heure</source>
        <translation>Heure</translation>
    </message>
    <message>
        <source>Véhicules par heure</source>
        <translation>Véhicules par heure</translation>
    </message>
    <message>
        <source>V85 (%1)</source>
        <translation>V85 (%1)</translation>
    </message>
    <message>
        <source>Jours ouvrés (lundi-vendredi)</source>
        <translation>Jours ouvrés (lundi-vendredi)</translation>
    </message>
    <message>
        <source>Week-end</source>
        <translation>Week-end</translation>
    </message>
    <message>
        <source>V85</source>
        <translation>V85</translation>
    </message>
    <message>
        <source>Limite %1 %2</source>
        <translation>Limite %1 %2</translation>
    </message>
    <message>
        <source>Relevés par heure</source>
        <translation>Relevés par heure</translation>
    </message>
</context>
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
    <message>
        <source>Données</source>
        <translation>Données</translation>
    </message>
    <message>
        <source>Moyennes</source>
        <translation>Moyennes</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>Répartitions</source>
        <translation>Répartitions</translation>
    </message>
    <message>
        <source>Percentiles</source>
        <translation>Percentiles</translation>
    </message>
    <message>
        <source>Campagnes</source>
        <translation>Campagnes</translation>
    </message>
    <message>
        <source>&amp;Fichier</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Outils</source>
        <translation>&amp;Outils</translation>
    </message>
    <message>
        <source>Barre d&apos;outils</source>
        <translation>Barre d&apos;outils</translation>
    </message>
    <message>
        <source>&amp;Ouvrir</source>
        <translation>&amp;Ouvrir</translation>
    </message>
    <message>
        <source>Ouvre un fichier de statistiques</source>
        <translation>Ouvre un fichier de statistiques</translation>
    </message>
    <message>
        <source>&amp;Exporter</source>
        <translation>&amp;Exporter</translation>
    </message>
    <message>
        <source>Exporte les statistiques dans un fichier</source>
        <translation>Exporte les statistiques dans un fichier</translation>
    </message>
    <message>
        <source>Arrête l&apos;application</source>
        <translation>Arrête l&apos;application</translation>
    </message>
    <message>
        <source>&amp;Portée</source>
        <translation>&amp;Portée</translation>
    </message>
    <message>
        <source>Portée du radar</source>
        <translation>Portée du radar</translation>
    </message>
    <message>
        <source>&amp;Précision</source>
        <translation>&amp;Précision</translation>
    </message>
    <message>
        <source>Exporter</source>
        <translation>Exporter</translation>
    </message>
    <message>
        <source>Mode mise au point</source>
        <translation>Mode mise au point</translation>
    </message>
    <message>
        <source>Base de données (*.db)</source>
        <translation>Base de données (*.db)</translation>
    </message>
    <message>
        <source>Un chargement est déjà en cours : attendez qu&apos;il se termine.</source>
        <translation>Un chargement est déjà en cours : attendez qu&apos;il se termine.</translation>
    </message>
    <message>
        <source>Statistiques indisponibles</source>
        <translation>Statistiques indisponibles</translation>
    </message>
    <message>
        <source>Impression</source>
        <translation>Impression</translation>
    </message>
    <message>
        <source>Impression indisponible pour ce graphique</source>
        <translation>Impression indisponible pour ce graphique</translation>
    </message>
    <message>
        <source>Synthèse</source>
        <translation>Synthèse</translation>
    </message>
    <message>
        <source>&amp;Diviseur de portée : %1 relevés = 1 véhicule</source>
        <translation>&amp;Diviseur de portée : %1 relevés = 1 véhicule</translation>
    </message>
    <message>
        <source>Coché, %1 relevés du radar comptent pour un véhicule (portée %2 m) ; décoché, chaque relevé compte pour un véhicule</source>
        <translation>Coché, %1 relevés du radar comptent pour un véhicule (portée %2 m) ; décoché, chaque relevé compte pour un véhicule</translation>
    </message>
    <message>
        <source>Fichier CSV (*.csv)</source>
        <translation>Fichier CSV (*.csv)</translation>
    </message>
    <message>
        <source>Aucun fichier écrit</source>
        <translation>Aucun fichier écrit</translation>
    </message>
    <message>
        <source>Fichiers écrits : %1</source>
        <translation>Fichiers écrits : %1</translation>
    </message>
    <message>
        <source>Ouvrir un &amp;dossier…</source>
        <translation>Ouvrir un &amp;dossier…</translation>
    </message>
    <message>
        <source>Les chiffres de chaque fichier de mesures d&apos;un dossier, dans un tableau</source>
        <translation>Les chiffres de chaque fichier de mesures d&apos;un dossier, dans un tableau</translation>
    </message>
    <message>
        <source>&amp;Comparer…</source>
        <translation>&amp;Comparer…</translation>
    </message>
    <message>
        <source>Comparer l&apos;analyse affichée (avant) à une autre période, campagne ou fichier (après)</source>
        <translation>Comparer l&apos;analyse affichée (avant) à une autre période, campagne ou fichier (après)</translation>
    </message>
    <message>
        <source>&amp;À propos</source>
        <translation>&amp;À propos</translation>
    </message>
    <message>
        <source>&amp;Quitter</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Largeur des intervalles de temps</source>
        <translation>Largeur des intervalles de temps</translation>
    </message>
    <message>
        <source>&amp;À propos de %1</source>
        <translation>&amp;À propos de %1</translation>
    </message>
    <message>
        <source>À propos de l&apos;application</source>
        <translation>À propos de l&apos;application</translation>
    </message>
    <message>
        <source>&amp;Document PDF…</source>
        <translation>&amp;Document PDF…</translation>
    </message>
    <message>
        <source>Rafraîchir</source>
        <translation>Rafraîchir</translation>
    </message>
    <message>
        <source>&amp;Imprimer…</source>
        <translation>&amp;Imprimer…</translation>
    </message>
    <message>
        <source>Trafic</source>
        <translation>Trafic</translation>
    </message>
    <message>
        <source>Ouvrir un fichier de mesures</source>
        <translation>Ouvrir un fichier de mesures</translation>
    </message>
    <message>
        <source>Portée du radar (mètres) :</source>
        <translation>Portée du radar (mètres) :</translation>
    </message>
    <message>
        <source>Largeur des intervalles de temps (minutes) :</source>
        <translation>Largeur des intervalles de temps (minutes) :</translation>
    </message>
    <message>
        <source>Révision : </source>
        <translation>Révision : </translation>
    </message>
    <message>
        <source>À propos de %1</source>
        <translation>À propos de %1</translation>
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
        <translation>Lecture...</translation>
    </message>
    <message>
        <source>Mémoire insuffisante pour lire les %1 mesures de %2</source>
        <translation>Mémoire insuffisante pour lire les %1 mesures de %2</translation>
    </message>
    <message>
        <source>Vérification de la base de données</source>
        <translation>Vérification de la base de données</translation>
    </message>
    <message>
        <source>Examen des données</source>
        <translation>Examen des données</translation>
    </message>
    <message>
        <source>La base de données %1 est vide</source>
        <translation>La base de données %1 est vide</translation>
    </message>
    <message>
        <source>Chargement...</source>
        <translation>Chargement...</translation>
    </message>
    <message>
        <source>La base de donnée %1 ne contient pas de statistiques</source>
        <translation>La base de donnée %1 ne contient pas de statistiques</translation>
    </message>
    <message>
        <source>Mémoire insuffisante pour lire %1 (%2).</source>
        <translation>Mémoire insuffisante pour lire %1 (%2).</translation>
    </message>
</context>
<context>
    <name>PercentileTab</name>
    <message>
        <source>Percentiles de vitesse sens entrant</source>
        <translation>Percentiles de vitesse sens entrant</translation>
    </message>
    <message>
        <source>Percentiles de vitesse sens sortant</source>
        <translation>Percentiles de vitesse sens sortant</translation>
    </message>
    <message>
        <source>Définition des percentiles</source>
        <translation>Définition des percentiles</translation>
    </message>
    <message>
        <source>Pourcentage de véhicules</source>
        <translation>Pourcentage de véhicules</translation>
    </message>
    <message>
        <source>Vitesse</source>
        <translation>Vitesse</translation>
    </message>
    <message>
        <source>Statistiques</source>
        <translation>Statistiques</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Définition des percentiles &lt;sup&gt;*&lt;/*&gt;&lt;/h3&gt;&lt;hr/&gt;La vitesse &lt;b&gt;V85&lt;/b&gt; définit la vitesse en dessous de laquelle circulent 85 % des VL libres (non contraints par la circulation des autres véhicules).&lt;br/&gt;&lt;br/&gt;Les valeurs &lt;b&gt;V50&lt;/b&gt; et &lt;b&gt;V30&lt;/b&gt; mesurent respectivement les vitesses 50 et 30&lt;br/&gt;&lt;br/&gt;(*) &lt;i&gt;source : SETRA 2008&lt;/i&gt;&lt;br/&gt;&lt;br/&gt;</source>
        <translation>&lt;h3&gt;Définition des percentiles &lt;sup&gt;*&lt;/*&gt;&lt;/h3&gt;&lt;hr/&gt;La vitesse &lt;b&gt;V85&lt;/b&gt; définit la vitesse en dessous de laquelle circulent 85 % des VL libres (non contraints par la circulation des autres véhicules).&lt;br/&gt;&lt;br/&gt;Les valeurs &lt;b&gt;V50&lt;/b&gt; et &lt;b&gt;V30&lt;/b&gt; mesurent respectivement les vitesses 50 et 30&lt;br/&gt;&lt;br/&gt;(*) &lt;i&gt;source : SETRA 2008&lt;/i&gt;&lt;br/&gt;&lt;br/&gt;</translation>
    </message>
    <message>
        <source>Pourcentage de relevés</source>
        <translation>Pourcentage de relevés</translation>
    </message>
    <message>
        <source>Percentiles de vitesse</source>
        <translation>Percentiles de vitesse</translation>
    </message>
</context>
<context>
    <name>PrintSheet</name>
    <message>
        <source>non renseignée</source>
        <translation>non renseignée</translation>
    </message>
    <message>
        <source>Imprimé le %1</source>
        <translation>Imprimé le %1</translation>
    </message>
    <message>
        <source>Site : %1 &amp;nbsp;·&amp;nbsp; Période : du %2 au %3 &amp;nbsp;·&amp;nbsp; Vitesse limite : %4 &amp;nbsp;·&amp;nbsp; Vitesse minimale : %5&amp;nbsp;%6 &amp;nbsp;·&amp;nbsp; Unités : %6</source>
        <translation>Site : %1 &amp;nbsp;·&amp;nbsp; Période : du %2 au %3 &amp;nbsp;·&amp;nbsp; Vitesse limite : %4 &amp;nbsp;·&amp;nbsp; Vitesse minimale : %5&amp;nbsp;%6 &amp;nbsp;·&amp;nbsp; Unités : %6</translation>
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
        <translation>&lt;td align=left&gt;&lt;b&gt;Référence&amp;nbsp;:&amp;nbsp;</translation>
    </message>
    <message>
        <source>&lt;td align=right&gt;Page {page} sur {pages}&lt;/td&gt;</source>
        <translation>&lt;td align=right&gt;Page {page} sur {pages}&lt;/td&gt;</translation>
    </message>
    <message>
        <source>Le rapport %1 n&apos;a pas pu être écrit : %2</source>
        <translation>Le rapport %1 n&apos;a pas pu être écrit : %2</translation>
    </message>
    <message>
        <source>impression impossible</source>
        <translation>impression impossible</translation>
    </message>
    <message>
        <source>Rapport d&apos;exploitation</source>
        <translation>Rapport d&apos;exploitation</translation>
    </message>
    <message>
        <source>Écriture du rapport...</source>
        <translation>Écriture du rapport...</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Tramola</source>
        <translation>Tramola</translation>
    </message>
    <message>
        <source>&lt;td align=center&gt;SYNTHÈSE DES MESURES&lt;/td&gt;</source>
        <translation>&lt;td align=center&gt;SYNTHÈSE DES MESURES&lt;/td&gt;</translation>
    </message>
    <message>
        <source>Site</source>
        <translation>Site</translation>
    </message>
    <message>
        <source>Période</source>
        <translation>Période</translation>
    </message>
    <message>
        <source>du %1 au %2</source>
        <translation>du %1 au %2</translation>
    </message>
    <message>
        <source>Vitesse limite</source>
        <translation>Vitesse limite</translation>
    </message>
    <message>
        <source>non renseignée : aucun chiffre de conformité</source>
        <translation>non renseignée : aucun chiffre de conformité</translation>
    </message>
    <message>
        <source>Unités</source>
        <translation>Unités</translation>
    </message>
    <message>
        <source>Vitesse minimale</source>
        <translation>Vitesse minimale</translation>
    </message>
    <message>
        <source>Mode d&apos;enregistrement</source>
        <translation>Mode d&apos;enregistrement</translation>
    </message>
    <message>
        <source>Rapport rédigé le</source>
        <translation>Rapport rédigé le</translation>
    </message>
    <message>
        <source>&lt;td width=20%&gt;&lt;b&gt;Début d&apos;exploitation :&lt;/b&gt;&lt;/td&gt;&lt;td align=left width=45%&gt;</source>
        <translation>&lt;td width=20%&gt;&lt;b&gt;Début d&apos;exploitation :&lt;/b&gt;&lt;/td&gt;&lt;td align=left width=45%&gt;</translation>
    </message>
    <message>
        <source>&lt;td width=20%&gt;&lt;b&gt;Fin d&apos;exploitation :&lt;/b&gt;&lt;/td&gt;&lt;td align=left  width=45%&gt;</source>
        <translation>&lt;td width=20%&gt;&lt;b&gt;Fin d&apos;exploitation :&lt;/b&gt;&lt;/td&gt;&lt;td align=left  width=45%&gt;</translation>
    </message>
    <message>
        <source>&lt;td align=left width=20%&gt;&lt;b&gt;Lieu de la mesure :&lt;/b&gt;&lt;/td&gt;&lt;td&gt;</source>
        <translation>&lt;td align=left width=20%&gt;&lt;b&gt;Lieu de la mesure :&lt;/b&gt;&lt;/td&gt;&lt;td&gt;</translation>
    </message>
    <message>
        <source>&lt;td align=left width=20%&gt;&lt;b&gt;Commentaire :&lt;/b&gt;&lt;/td&gt;&lt;td&gt;</source>
        <translation>&lt;td align=left width=20%&gt;&lt;b&gt;Commentaire :&lt;/b&gt;&lt;/td&gt;&lt;td&gt;</translation>
    </message>
    <message>
        <source>Documents PDF (*.pdf)</source>
        <translation>Documents PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Le rapport %1 n&apos;a pas été écrit : seuls les suffixes .pdf et .ps sont possibles.</source>
        <translation>Le rapport %1 n&apos;a pas été écrit : seuls les suffixes .pdf et .ps sont possibles.</translation>
    </message>
    <message>
        <source>Le rapport %1 est écrit, mais aucune application n&apos;a pu l&apos;ouvrir.</source>
        <translation>Le rapport %1 est écrit, mais aucune application n&apos;a pu l&apos;ouvrir.</translation>
    </message>
</context>
<context>
    <name>ReportSectionsDialog</name>
    <message>
        <source>Rapport d&apos;exploitation</source>
        <translation>Rapport d&apos;exploitation</translation>
    </message>
    <message>
        <source>Veuillez sélectionner les graphiques à intégrer dans le rapport.</source>
        <translation>Veuillez sélectionner les graphiques à intégrer dans le rapport.</translation>
    </message>
    <message>
        <source>Graphique des vitesses Moyennes</source>
        <translation>Graphique des vitesses Moyennes</translation>
    </message>
    <message>
        <source>Graphique des vitesses  Maximales</source>
        <translation>Graphique des vitesses  Maximales</translation>
    </message>
    <message>
        <source>Nombre de véhicules par heure</source>
        <translation>Nombre de véhicules par heure</translation>
    </message>
    <message>
        <source>graphique des percentiles</source>
        <translation>graphique des percentiles</translation>
    </message>
    <message>
        <source>Tableau détaillé des mesures</source>
        <translation>Tableau détaillé des mesures</translation>
    </message>
    <message>
        <source>Répartition par classe de vitesse</source>
        <translation>Répartition par classe de vitesse</translation>
    </message>
</context>
<context>
    <name>SiteInfoEditor</name>
    <message>
        <source>Statistiques</source>
        <translation>Statistiques</translation>
    </message>
    <message>
        <source>Le fichier %1 ne peut pas être modifié : le lieu, le commentaire et la vitesse limite sont gardés jusqu&apos;à la fermeture du programme, sans être enregistrés.</source>
        <translation>Le fichier %1 ne peut pas être modifié : le lieu, le commentaire et la vitesse limite sont gardés jusqu&apos;à la fermeture du programme, sans être enregistrés.</translation>
    </message>
</context>
<context>
    <name>SpeedArea</name>
    <message>
        <source>fichier endommagé (octet %1)</source>
        <translation>fichier endommagé (octet %1)</translation>
    </message>
    <message>
        <source>ce n&apos;est pas un fichier de zones de vitesse</source>
        <translation>ce n&apos;est pas un fichier de zones de vitesse</translation>
    </message>
    <message>
        <source>révision %1 non prise en charge</source>
        <translation>révision %1 non prise en charge</translation>
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
        <translation>ce n&apos;est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>Le fichier de zones %1 est illisible : %2. Les zones par défaut le remplacent ; le prochain enregistrement le conservera sous %3.</source>
        <translation>Le fichier de zones %1 est illisible : %2. Les zones par défaut le remplacent ; le prochain enregistrement le conservera sous %3.</translation>
    </message>
    <message>
        <source>plus de 65 535 zones, ou de classes dans une zone</source>
        <translation>plus de 65 535 zones, ou de classes dans une zone</translation>
    </message>
    <message>
        <source>dossier %1 impossible à créer</source>
        <translation>dossier %1 impossible à créer</translation>
    </message>
    <message>
        <source>le fichier illisible n&apos;a pas pu être conservé sous %1</source>
        <translation>le fichier illisible n&apos;a pas pu être conservé sous %1</translation>
    </message>
</context>
<context>
    <name>SpeedAreaEditor</name>
    <message>
        <source>Emplacement</source>
        <translation>Emplacement</translation>
    </message>
    <message>
        <source>Zone :</source>
        <translation>Zone :</translation>
    </message>
    <message>
        <source>Ajouter un nouvel emplacement</source>
        <translation>Ajouter un nouvel emplacement</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Supprimer l&apos;emplacement courant</source>
        <translation>Supprimer l&apos;emplacement courant</translation>
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
        <translation>Ajouter une entrée après la ligne courante</translation>
    </message>
    <message>
        <source>Supprimer la ligne courante</source>
        <translation>Supprimer la ligne courante</translation>
    </message>
    <message>
        <source>Importer des emplacements à partir d&apos;un fichier</source>
        <translation>Importer des emplacements à partir d&apos;un fichier</translation>
    </message>
    <message>
        <source>Enregistrer</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Restaurer les paramètres par défaut</source>
        <translation>Restaurer les paramètres par défaut</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Fermer</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Veuillez compléter la table</source>
        <translation>Veuillez compléter la table</translation>
    </message>
    <message>
        <source>Intervals</source>
        <translation>Intervals</translation>
    </message>
    <message>
        <source>Le nombre maximum d&apos;interval est atteint.&lt;br/&gt;Vous ne pouvez plus en ajouter de nouveau.</source>
        <translation>Le nombre maximum d&apos;interval est atteint.&lt;br/&gt;Vous ne pouvez plus en ajouter de nouveau.</translation>
    </message>
    <message>
        <source>La table ne peut pas être vide.</source>
        <translation>La table ne peut pas être vide.</translation>
    </message>
    <message>
        <source>Oui</source>
        <translation>Oui</translation>
    </message>
    <message>
        <source>Non</source>
        <translation>Non</translation>
    </message>
    <message>
        <source>Zones de vitesse</source>
        <translation>Zones de vitesse</translation>
    </message>
    <message>
        <source>Les zones n&apos;ont pas pu être enregistrées dans %1 : %2.</source>
        <translation>Les zones n&apos;ont pas pu être enregistrées dans %1 : %2.</translation>
    </message>
    <message>
        <source>Les vitesses doivent être contiguës</source>
        <translation>Les vitesses doivent être contiguës</translation>
    </message>
    <message>
        <source>Nom de l&apos;emplacement :</source>
        <translation>Nom de l&apos;emplacement :</translation>
    </message>
    <message>
        <source>Vous allez supprimer la zone &lt;b&gt;%1&lt;/b&gt;&lt;br/&gt;Êtes-vous sûr ?&lt;br/&gt;&lt;br/&gt;</source>
        <translation>Vous allez supprimer la zone &lt;b&gt;%1&lt;/b&gt;&lt;br/&gt;Êtes-vous sûr ?&lt;br/&gt;&lt;br/&gt;</translation>
    </message>
    <message>
        <source>La zone &lt;b&gt;%1&lt;/b&gt; va être réinitialisée&lt;br/&gt;&lt;br/&gt;Êtes-vous sûr ?&lt;br/&gt;&lt;br/&gt;</source>
        <translation>La zone &lt;b&gt;%1&lt;/b&gt; va être réinitialisée&lt;br/&gt;&lt;br/&gt;Êtes-vous sûr ?&lt;br/&gt;&lt;br/&gt;</translation>
    </message>
</context>
<context>
    <name>SpeedBinPlot</name>
    <message>
        <source>Répartition des vitesses</source>
        <translation>Répartition des vitesses</translation>
    </message>
    <message>
        <source>Véhicules</source>
        <translation>Véhicules</translation>
    </message>
    <message>
        <source>Vitesse (%1), classes de 5</source>
        <translation>Vitesse (%1), classes de 5</translation>
    </message>
    <message>
        <source>Entrant</source>
        <translation>Entrant</translation>
    </message>
    <message>
        <source>Sortant</source>
        <translation>Sortant</translation>
    </message>
    <message>
        <source>Limite %1 %2</source>
        <translation>Limite %1 %2</translation>
    </message>
    <message>
        <source>Relevés</source>
        <translation>Relevés</translation>
    </message>
</context>
<context>
    <name>SpeedClassPie</name>
    <message>
        <source>%1 : %L2</source>
        <translation>%1 : %L2</translation>
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
        <translation>nd</translation>
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
        <translation>Pas de changement significatif de la vitesse moyenne (%1)</translation>
    </message>
    <message>
        <source>Baisse significative de la vitesse moyenne : %1 %2 (%3)</source>
        <translation>Baisse significative de la vitesse moyenne : %1 %2 (%3)</translation>
    </message>
    <message>
        <source>Hausse significative de la vitesse moyenne : %1 %2 (%3)</source>
        <translation>Hausse significative de la vitesse moyenne : %1 %2 (%3)</translation>
    </message>
    <message>
        <source>Pas de changement significatif du V85 (intervalle à 95 % : %1 à %2 %3)</source>
        <translation>Pas de changement significatif du V85 (intervalle à 95 % : %1 à %2 %3)</translation>
    </message>
    <message>
        <source>Baisse significative du V85 : %1 %2 (intervalle à 95 % : %3 à %4 %2)</source>
        <translation>Baisse significative du V85 : %1 %2 (intervalle à 95 % : %3 à %4 %2)</translation>
    </message>
    <message>
        <source>Hausse significative du V85 : %1 %2 (intervalle à 95 % : %3 à %4 %2)</source>
        <translation>Hausse significative du V85 : %1 %2 (intervalle à 95 % : %3 à %4 %2)</translation>
    </message>
    <message>
        <source>Pas de changement significatif de la part au-dessus de %1 %2 (%3)</source>
        <translation>Pas de changement significatif de la part au-dessus de %1 %2 (%3)</translation>
    </message>
    <message>
        <source>Baisse significative de la part au-dessus de %1 %2 : %3 points (%4)</source>
        <translation>Baisse significative de la part au-dessus de %1 %2 : %3 points (%4)</translation>
    </message>
    <message>
        <source>Hausse significative de la part au-dessus de %1 %2 : %3 points (%4)</source>
        <translation>Hausse significative de la part au-dessus de %1 %2 : %3 points (%4)</translation>
    </message>
    <message>
        <source>Changement significatif de la répartition des vitesses (%1)</source>
        <translation>Changement significatif de la répartition des vitesses (%1)</translation>
    </message>
    <message>
        <source>Pas de changement significatif de la répartition des vitesses (%1)</source>
        <translation>Pas de changement significatif de la répartition des vitesses (%1)</translation>
    </message>
</context>
<context>
    <name>StartPage</name>
    <message>
        <source>&lt;span style=&quot;font-size:large; font-weight:bold&quot;&gt;Aucune base de mesures ouverte&lt;/span&gt;</source>
        <translation>&lt;span style=&quot;font-size:large; font-weight:bold&quot;&gt;Aucune base de mesures ouverte&lt;/span&gt;</translation>
    </message>
    <message>
        <source>Pour commencer, choisissez &lt;a href=&quot;open&quot;&gt;Ouvrir&lt;/a&gt; (Ctrl+O) dans le menu Fichier,&lt;br/&gt;ou déposez un fichier de mesures .db dans cette fenêtre.</source>
        <translation>Pour commencer, choisissez &lt;a href=&quot;open&quot;&gt;Ouvrir&lt;/a&gt; (Ctrl+O) dans le menu Fichier,&lt;br/&gt;ou déposez un fichier de mesures .db dans cette fenêtre.</translation>
    </message>
    <message>
        <source>&lt;b&gt;Fichiers récents&lt;/b&gt;</source>
        <translation>&lt;b&gt;Fichiers récents&lt;/b&gt;</translation>
    </message>
    <message>
        <source>(introuvable)</source>
        <translation>(introuvable)</translation>
    </message>
</context>
<context>
    <name>StoreModeEvidence</name>
    <message>
        <source>trop peu de relevés pour reconnaître le mode</source>
        <translation>trop peu de relevés pour reconnaître le mode</translation>
    </message>
    <message>
        <source>1 relevé par véhicule détecté</source>
        <translation>1 relevé par véhicule détecté</translation>
    </message>
    <message>
        <source>rafales de relevés détectées</source>
        <translation>rafales de relevés détectées</translation>
    </message>
</context>
<context>
    <name>SummaryFormat</name>
    <message>
        <source>Entrant</source>
        <translation>Entrant</translation>
    </message>
    <message>
        <source>Sortant</source>
        <translation>Sortant</translation>
    </message>
    <message>
        <source>Deux sens</source>
        <translation>Deux sens</translation>
    </message>
    <message>
        <source>Véhicules</source>
        <translation>Véhicules</translation>
    </message>
    <message>
        <source>Relevés</source>
        <translation>Relevés</translation>
    </message>
    <message>
        <source>Heure de pointe du matin</source>
        <translation>Heure de pointe du matin</translation>
    </message>
    <message>
        <source>véhicules dans l&apos;heure</source>
        <translation>véhicules dans l&apos;heure</translation>
    </message>
    <message>
        <source>Heure de pointe du soir</source>
        <translation>Heure de pointe du soir</translation>
    </message>
    <message>
        <source>Vitesses (%1)</source>
        <translation>Vitesses (%1)</translation>
    </message>
    <message>
        <source>Vitesse moyenne</source>
        <translation>Vitesse moyenne</translation>
    </message>
    <message>
        <source>Écart type</source>
        <translation>Écart type</translation>
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
        <translation>Allure de 10 %1</translation>
    </message>
    <message>
        <source>part des véhicules</source>
        <translation>part des véhicules</translation>
    </message>
    <message>
        <source>Conformité à la limite de %1 %2 (véhicules)</source>
        <translation>Conformité à la limite de %1 %2 (véhicules)</translation>
    </message>
    <message>
        <source>Au-dessus de %1 %2</source>
        <translation>Au-dessus de %1 %2</translation>
    </message>
    <message>
        <source>Au-dessus de la limite</source>
        <translation>Au-dessus de la limite</translation>
    </message>
    <message>
        <source>Au-dessus de la limite + %1</source>
        <translation>Au-dessus de la limite + %1</translation>
    </message>
    <message>
        <source>Lundi</source>
        <translation>Lundi</translation>
    </message>
    <message>
        <source>Mardi</source>
        <translation>Mardi</translation>
    </message>
    <message>
        <source>Mercredi</source>
        <translation>Mercredi</translation>
    </message>
    <message>
        <source>Jeudi</source>
        <translation>Jeudi</translation>
    </message>
    <message>
        <source>Vendredi</source>
        <translation>Vendredi</translation>
    </message>
    <message>
        <source>Samedi</source>
        <translation>Samedi</translation>
    </message>
    <message>
        <source>Dimanche</source>
        <translation>Dimanche</translation>
    </message>
    <message>
        <source>Qualité des données</source>
        <translation>Qualité des données</translation>
    </message>
    <message>
        <source>Jours de la période</source>
        <translation>Jours de la période</translation>
    </message>
    <message>
        <source>Jours enregistrés</source>
        <translation>Jours enregistrés</translation>
    </message>
    <message>
        <source>Jours manquants</source>
        <translation>Jours manquants</translation>
    </message>
    <message>
        <source>aucun</source>
        <translation>aucun</translation>
    </message>
    <message>
        <source>Relevés à %1 %2 ou moins (écartés)</source>
        <translation>Relevés à %1 %2 ou moins (écartés)</translation>
    </message>
    <message>
        <source>Relevés au-dessus de %1 %2 (douteux)</source>
        <translation>Relevés au-dessus de %1 %2 (douteux)</translation>
    </message>
    <message>
        <source>Relevés en double (même seconde, vitesse et sens)</source>
        <translation>Relevés en double (même seconde, vitesse et sens)</translation>
    </message>
    <message>
        <source>Relevés mal datés (avant 2000 ou après l&apos;écriture du fichier, écartés)</source>
        <translation>Relevés mal datés (avant 2000 ou après l&apos;écriture du fichier, écartés)</translation>
    </message>
    <message>
        <source>Avancé</source>
        <translation>Avancé</translation>
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
        <translation>%1, aucun jour</translation>
    </message>
    <message>
        <source>%1, 1 jour</source>
        <translation>%1, 1 jour</translation>
    </message>
    <message>
        <source>%1, %2 jours</source>
        <translation>%1, %2 jours</translation>
    </message>
    <message>
        <source>%1 de %2 à %3</source>
        <translation>%1 de %2 à %3</translation>
    </message>
    <message>
        <source>Volumes (relevés, jours complets)</source>
        <translation>Volumes (relevés, jours complets)</translation>
    </message>
    <message>
        <source>Volumes (véhicules, jours complets)</source>
        <translation>Volumes (véhicules, jours complets)</translation>
    </message>
    <message>
        <source>Trafic moyen journalier</source>
        <translation>Trafic moyen journalier</translation>
    </message>
    <message>
        <source>lundi à vendredi</source>
        <translation>lundi à vendredi</translation>
    </message>
    <message>
        <source>samedi et dimanche</source>
        <translation>samedi et dimanche</translation>
    </message>
    <message>
        <source>relevés dans l&apos;heure</source>
        <translation>relevés dans l&apos;heure</translation>
    </message>
    <message>
        <source>Heure de pointe du matin : %1</source>
        <translation>Heure de pointe du matin : %1</translation>
    </message>
    <message>
        <source>Heure de pointe du soir : %1</source>
        <translation>Heure de pointe du soir : %1</translation>
    </message>
    <message>
        <source>part des relevés</source>
        <translation>part des relevés</translation>
    </message>
    <message>
        <source>%1 : de</source>
        <translation>%1 : de</translation>
    </message>
    <message>
        <source>%1 : à</source>
        <translation>%1 : à</translation>
    </message>
    <message>
        <source>%1 : %2 (%)</source>
        <translation>%1 : %2 (%)</translation>
    </message>
    <message>
        <source>Conformité à la limite de %1 %2 (relevés)</source>
        <translation>Conformité à la limite de %1 %2 (relevés)</translation>
    </message>
    <message>
        <source>Conformité : %1</source>
        <translation>Conformité : %1</translation>
    </message>
    <message>
        <source>Vitesse limite (%1)</source>
        <translation>Vitesse limite (%1)</translation>
    </message>
    <message>
        <source>Moyenne des excès (%1)</source>
        <translation>Moyenne des excès (%1)</translation>
    </message>
    <message>
        <source>Trafic moyen par jour (relevés)</source>
        <translation>Trafic moyen par jour (relevés)</translation>
    </message>
    <message>
        <source>Trafic moyen par jour (véhicules)</source>
        <translation>Trafic moyen par jour (véhicules)</translation>
    </message>
    <message>
        <source>Mode d&apos;enregistrement</source>
        <translation>Mode d&apos;enregistrement</translation>
    </message>
    <message>
        <source>Relevés par véhicule (moyenne des rafales)</source>
        <translation>Relevés par véhicule (moyenne des rafales)</translation>
    </message>
    <message>
        <source>Jours complets</source>
        <translation>Jours complets</translation>
    </message>
    <message>
        <source>Jours partiels (hors moyennes journalières)</source>
        <translation>Jours partiels (hors moyennes journalières)</translation>
    </message>
</context>
<context>
    <name>SummaryPage</name>
    <message>
        <source>Synthèse et conformité</source>
        <translation>Synthèse et conformité</translation>
    </message>
    <message>
        <source>vitesse limite : %1&amp;nbsp;%2</source>
        <translation>vitesse limite : %1&amp;nbsp;%2</translation>
    </message>
    <message>
        <source>limite non renseignée : aucun chiffre de conformité</source>
        <translation>limite non renseignée : aucun chiffre de conformité</translation>
    </message>
    <message>
        <source>&lt;h4&gt;%1&lt;/h4&gt;&lt;span style=&quot;font-size: 9px&quot;&gt;Du %2 au %3 ; %4&lt;br&gt;Mode d&apos;enregistrement : %5&lt;/span&gt;</source>
        <translation>&lt;h4&gt;%1&lt;/h4&gt;&lt;span style=&quot;font-size: 9px&quot;&gt;Du %2 au %3 ; %4&lt;br&gt;Mode d&apos;enregistrement : %5&lt;/span&gt;</translation>
    </message>
</context>
<context>
    <name>SummaryTab</name>
    <message>
        <source>Ouvrez un fichier de mesures pour en obtenir la synthèse.</source>
        <translation>Ouvrez un fichier de mesures pour en obtenir la synthèse.</translation>
    </message>
    <message>
        <source>Indicateur</source>
        <translation>Indicateur</translation>
    </message>
    <message>
        <source>Entrant</source>
        <translation>Entrant</translation>
    </message>
    <message>
        <source>Sortant</source>
        <translation>Sortant</translation>
    </message>
    <message>
        <source>Comparer…</source>
        <translation>Comparer…</translation>
    </message>
    <message>
        <source>Comparer cette analyse (avant) à une autre période, campagne ou fichier (après)</source>
        <translation>Comparer cette analyse (avant) à une autre période, campagne ou fichier (après)</translation>
    </message>
    <message>
        <source>2 sens</source>
        <translation>2 sens</translation>
    </message>
    <message>
        <source>vitesse limite : %1&amp;nbsp;%2</source>
        <translation>vitesse limite : %1&amp;nbsp;%2</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#b00000&quot;&gt;Limite non renseignée&lt;/span&gt; — &lt;a href=&quot;limit&quot;&gt;Renseigner…&lt;/a&gt;</source>
        <translation>&lt;span style=&quot;color:#b00000&quot;&gt;Limite non renseignée&lt;/span&gt; — &lt;a href=&quot;limit&quot;&gt;Renseigner…&lt;/a&gt;</translation>
    </message>
    <message>
        <source>limite non renseignée : aucun chiffre de conformité</source>
        <translation>limite non renseignée : aucun chiffre de conformité</translation>
    </message>
    <message>
        <source>&lt;b&gt;Synthèse du %1 au %2&lt;/b&gt; &amp;nbsp; %3&lt;br&gt;Mode d&apos;enregistrement : %4</source>
        <translation>&lt;b&gt;Synthèse du %1 au %2&lt;/b&gt; &amp;nbsp; %3&lt;br&gt;Mode d&apos;enregistrement : %4</translation>
    </message>
    <message>
        <source>Synthèse</source>
        <translation>Synthèse</translation>
    </message>
</context>
<context>
    <name>TimePlot</name>
    <message>
        <source>Nombre de véhicules</source>
        <translation>Nombre de véhicules</translation>
    </message>
    <message>
        <source>vitesse</source>
        <translation>vitesse</translation>
    </message>
    <message>
        <source> -- </source>
        <translation> -- </translation>
    </message>
    <message>
        <source>par demi-heure</source>
        <translation>par demi-heure</translation>
    </message>
    <message>
        <source>par heure</source>
        <translation>par heure</translation>
    </message>
    <message>
        <source>par jour</source>
        <translation>par jour</translation>
    </message>
    <message>
        <source>par semaine</source>
        <translation>par semaine</translation>
    </message>
    <message>
        <source>par mois</source>
        <translation>par mois</translation>
    </message>
    <message>
        <source>par tranche de %1 heures</source>
        <translation>par tranche de %1 heures</translation>
    </message>
    <message>
        <source>par tranche de %1 minutes</source>
        <translation>par tranche de %1 minutes</translation>
    </message>
    <message>
        <source>Nombre de relevés</source>
        <translation>Nombre de relevés</translation>
    </message>
    <message>
        <source>relevés entrants</source>
        <translation>relevés entrants</translation>
    </message>
    <message>
        <source>relevés sortants</source>
        <translation>relevés sortants</translation>
    </message>
    <message>
        <source>véhicules entrants</source>
        <translation>véhicules entrants</translation>
    </message>
    <message>
        <source>véhicules sortants</source>
        <translation>véhicules sortants</translation>
    </message>
    <message>
        <source>%1 : %L2 %3</source>
        <translation>%1 : %L2 %3</translation>
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
        <translation>Vitesses moyennes</translation>
    </message>
    <message>
        <source>Sens entrant (%1 %2)</source>
        <translation>Sens entrant (%1 %2)</translation>
    </message>
    <message>
        <source>Sens sortant (%1 %2)</source>
        <translation>Sens sortant (%1 %2)</translation>
    </message>
    <message>
        <source>Relevés entrants %1</source>
        <translation>Relevés entrants %1</translation>
    </message>
    <message>
        <source>Relevés sortants %1</source>
        <translation>Relevés sortants %1</translation>
    </message>
    <message>
        <source>Véhicules entrant %1</source>
        <translation>Véhicules entrant %1</translation>
    </message>
    <message>
        <source>Véhicules sortant %1</source>
        <translation>Véhicules sortant %1</translation>
    </message>
    <message>
        <source>Véhicules entrants %1</source>
        <translation>Véhicules entrants %1</translation>
    </message>
    <message>
        <source>Véhicules sortants %1</source>
        <translation>Véhicules sortants %1</translation>
    </message>
    <message>
        <source>Vitesses maximum</source>
        <translation>Vitesses maximum</translation>
    </message>
</context>
<context>
    <name>TrafficSummary</name>
    <message>
        <source>Limite non renseignée</source>
        <translation>Limite non renseignée</translation>
    </message>
    <message>
        <source>limite donnée pour cette analyse</source>
        <translation>limite donnée pour cette analyse</translation>
    </message>
    <message>
        <source>limite du site</source>
        <translation>limite du site</translation>
    </message>
</context>
</TS>
