<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_CA">
<context>
    <name>AddBalanceEntryIntent</name>
    <message>
        <source>Added %1 on %2.</source>
        <translation>Ajout de %1 le %2.</translation>
    </message>
    <message>
        <source>Add Balance Entry</source>
        <translation>Ajouter une entrée de solde</translation>
    </message>
    <message>
        <source>What is the portfolio balance?</source>
        <translation>Quel est le solde du portefeuille?</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Date of the snapshot (defaults to today).</source>
        <translation>Date du relevé (aujourd’hui par défaut).</translation>
    </message>
    <message>
        <source>Balance</source>
        <translation>Solde</translation>
    </message>
    <message>
        <source>Total portfolio value at this date.</source>
        <translation>Valeur totale du portefeuille à cette date.</translation>
    </message>
    <message>
        <source>Adjustment</source>
        <translation>Ajustement</translation>
    </message>
    <message>
        <source>Cash flow: positive for a deposit, negative for a withdrawal.</source>
        <translation>Flux de trésorerie : positif pour un dépôt, négatif pour un retrait.</translation>
    </message>
    <message>
        <source>Transfers</source>
        <translation>Transferts</translation>
    </message>
    <message>
        <source>Transfer amount (optional).</source>
        <translation>Montant des transferts (facultatif).</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>Optional note for this entry.</source>
        <translation>Note facultative pour cette entrée.</translation>
    </message>
</context>
<context>
    <name>AddEntryDialog</name>
    <message>
        <source>YYYY-MM-DD</source>
        <translation>AAAA-MM-JJ</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>A field&apos;s title, then why its text was refused.</extracomment>
        <translation>%1&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>BackupCommands</name>
    <message>
        <source>%1, %2</source>
        <comment>entries, years</comment>
        <translation>%1, %2</translation>
    </message>
</context>
<context>
    <name>BackupList</name>
    <message>
        <source>Restore From Backup</source>
        <translation>Restaurer une sauvegarde</translation>
    </message>
    <message>
        <source>There are no backups in %1 yet.</source>
        <translation>Il n’y a encore aucune sauvegarde dans %1.</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Entries</source>
        <translation>Entrées</translation>
    </message>
    <message>
        <source>Range</source>
        <translation>Période</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Restaurer</translation>
    </message>
    <message>
        <source>Other File…</source>
        <translation>Autre fichier…</translation>
    </message>
    <message>
        <source>&amp;Backups in %1:</source>
        <translation>&amp;Sauvegardes dans %1&#xa0;:</translation>
    </message>
    <message>
        <source>Newest first; Return restores the selected backup</source>
        <translation>Les plus récentes d’abord; Entrée restaure la sauvegarde sélectionnée</translation>
    </message>
    <message>
        <source>Backups</source>
        <translation>Sauvegardes</translation>
    </message>
</context>
<context>
    <name>Backups</name>
    <message>
        <source>The backups folder could not be created</source>
        <translation>Le dossier des sauvegardes n’a pas pu être créé</translation>
    </message>
    <message>
        <source>The unreadable store could not be moved aside</source>
        <translation>Les données illisibles n’ont pas pu être mises de côté</translation>
    </message>
    <message>
        <source>A backup cannot replace the store itself</source>
        <translation>Une sauvegarde ne peut pas remplacer les données elles-mêmes</translation>
    </message>
    <message>
        <source>The current store could not be kept first, so nothing was restored (%1)</source>
        <translation>Les données actuelles n’ont pas pu être conservées d’abord; rien n’a donc été restauré (%1)</translation>
    </message>
    <message>
        <source> The store as it was is kept in %1.</source>
        <translation> Les données telles quelles sont conservées dans %1.</translation>
    </message>
    <message>
        <source>1 entry</source>
        <translation>1 entrée</translation>
    </message>
    <message numerus="yes">
        <source>%n entries</source>
        <translation>
            <numerusform>%n entrée</numerusform>
            <numerusform>%n entrées</numerusform>
        </translation>
    </message>
    <message>
        <source>1 year</source>
        <translation>1 année</translation>
    </message>
    <message numerus="yes">
        <source>%n years</source>
        <translation>
            <numerusform>%n année</numerusform>
            <numerusform>%n années</numerusform>
        </translation>
    </message>
    <message>
        <source>Restored %1: %2, %3.</source>
        <translation>%1 restaurée&#xa0;: %2, %3.</translation>
    </message>
</context>
<context>
    <name>BalanceChart</name>
    <message>
        <source>Balance</source>
        <translation>Solde</translation>
    </message>
    <message>
        <source>Adjusted (investment-only)</source>
        <translation>Ajusté (hors flux)</translation>
    </message>
</context>
<context>
    <name>BalanceChartView</name>
    <message>
        <source>1M</source>
        <translation>1&#xa0;M</translation>
    </message>
    <message>
        <source>3M</source>
        <translation>3&#xa0;M</translation>
    </message>
    <message>
        <source>6M</source>
        <translation>6&#xa0;M</translation>
    </message>
    <message>
        <source>1Y</source>
        <translation>1&#xa0;A</translation>
    </message>
    <message>
        <source>5Y</source>
        <translation>5&#xa0;A</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Tout</translation>
    </message>
    <message>
        <source>Balance Over Time</source>
        <translation>Solde au fil du temps</translation>
    </message>
    <message>
        <source>Adjusted</source>
        <translation>Ajusté</translation>
    </message>
    <message>
        <source>Range</source>
        <translation>Période</translation>
    </message>
    <message>
        <source>No data in range</source>
        <translation>Aucune donnée dans la période</translation>
    </message>
    <message>
        <source>Show balance with cash flows removed (investment-only)</source>
        <translation>Afficher le solde sans les flux de trésorerie (hors flux)</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>Cadrer</translation>
    </message>
    <message>
        <source>Fit the value axis to the data (off: the axis starts at $0)</source>
        <translation>Cadrer l’axe des valeurs sur les données (désactivé&#xa0;: l’axe commence à 0&#xa0;$)</translation>
    </message>
    <message>
        <source>Fit value axis</source>
        <translation>Cadrer l’axe des valeurs</translation>
    </message>
    <message>
        <source>Balance chart</source>
        <translation>Graphique du solde</translation>
    </message>
    <message>
        <source>Show as Table</source>
        <translation>Afficher en tableau</translation>
    </message>
    <message>
        <source>No entries yet</source>
        <translation>Aucune entrée pour le moment</translation>
    </message>
</context>
<context>
    <name>CSVAlerts</name>
    <message>
        <source>CSV Error</source>
        <translation>Erreur CSV</translation>
    </message>
    <message>
        <source>Imported 1 entry</source>
        <translation>1 entrée importée</translation>
    </message>
    <message numerus="yes">
        <source>Imported %n entries</source>
        <translation>
            <numerusform>%n entrée importée</numerusform>
            <numerusform>%n entrées importées</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n row(s) were skipped (couldn&apos;t be parsed).</source>
        <translation>
            <numerusform>%n ligne a été ignorée (illisible).</numerusform>
            <numerusform>%n lignes ont été ignorées (illisibles).</numerusform>
        </translation>
    </message>
    <message>
        <source>No rows imported</source>
        <translation>Aucune ligne importée</translation>
    </message>
    <message>
        <source>Expected columns: Date, Balance, Adjustment, Transfers, Note. Dates such as 2026-06-04 or 06/04/2026 are accepted.</source>
        <extracomment>The column names are the file&apos;s own headers: keep them as they are.</extracomment>
        <translation>Colonnes attendues&#xa0;: Date, Balance, Adjustment, Transfers, Note. Les dates comme 2026-06-04 ou 06/04/2026 sont acceptées.</translation>
    </message>
    <message numerus="yes">
        <source>%n row(s) couldn&apos;t be parsed.</source>
        <translation>
            <numerusform>%n ligne n’a pas pu être lue.</numerusform>
            <numerusform>%n lignes n’ont pas pu être lues.</numerusform>
        </translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>ligne %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>et %1 de plus</translation>
    </message>
    <message>
        <source>Skipped 1 row already stored.</source>
        <translation>1 ligne déjà enregistrée a été ignorée.</translation>
    </message>
    <message numerus="yes">
        <source>Skipped %n rows already stored.</source>
        <translation>
            <numerusform>%n ligne déjà enregistrée a été ignorée.</numerusform>
            <numerusform>%n lignes déjà enregistrées ont été ignorées.</numerusform>
        </translation>
    </message>
    <message>
        <source>Could not read file.</source>
        <translation>Impossible de lire le fichier.</translation>
    </message>
    <message>
        <source>Save failed: </source>
        <translation>Échec de l’enregistrement&#xa0;: </translation>
    </message>
    <message>
        <source>Could not export CSV: </source>
        <translation>Impossible d’exporter le CSV&#xa0;: </translation>
    </message>
</context>
<context>
    <name>ChartReadout</name>
    <message>
        <source>Balance: %1</source>
        <translation>Solde&#xa0;: %1</translation>
    </message>
    <message>
        <source>Investment-only: %1</source>
        <translation>Hors flux&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>ChartTableSheet</name>
    <message>
        <source>Balance Over Time</source>
        <translation>Solde au fil du temps</translation>
    </message>
    <message>
        <source>Balance over time, as a table</source>
        <translation>Solde au fil du temps, en tableau</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Balance</source>
        <translation>Solde</translation>
    </message>
    <message>
        <source>Investment-only</source>
        <translation>Hors flux</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Usage: %1</source>
        <translation>Utilisation&#xa0;: %1</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Options&#xa0;:</translation>
    </message>
    <message>
        <source>Example:</source>
        <translation>Exemple&#xa0;:</translation>
    </message>
    <message>
        <source>Usage: corvanta [COMMAND [OPTIONS]]

Without a command, opens the Corvanta window (or raises the one already open).

Commands:
</source>
        <translation>Utilisation&#xa0;: corvanta [COMMAND [OPTIONS]]

Sans commande, ouvre la fenêtre de Corvanta (ou met au premier plan celle qui est déjà ouverte).

Commandes&#xa0;:
</translation>
    </message>
    <message>
        <source>
  --help, -h, help [COMMAND]   Show this help, or a command&apos;s options.
  --version, -v                Show the version.

Examples:
</source>
        <translation>
  --help, -h, help [COMMAND]   Afficher cette aide, ou les options d’une commande.
  --version, -v                Afficher la version.

Exemples&#xa0;:
</translation>
    </message>
    <message>
        <source>
Exit status: 0 done, 1 the store, a file or the output failed, 2 a usage error,
3 the add window was cancelled.
</source>
        <translation>
Code de sortie&#xa0;: 0 terminé, 1 échec des données, d’un fichier ou de la sortie, 2 erreur d’utilisation,
3 fenêtre d’ajout annulée.
</translation>
    </message>
    <message>
        <source>--%1 given more than once</source>
        <translation>--%1 donné plus d’une fois</translation>
    </message>
    <message>
        <source>--%1 expects a plain number such as 1234.56, not %2</source>
        <translation>--%1 attend un nombre simple comme 1234.56, pas %2</translation>
    </message>
    <message>
        <source>--date expects YYYY-MM-DD or an ISO 8601 date-time, not %1</source>
        <translation>--date attend AAAA-MM-JJ ou une date-heure ISO 8601, pas %1</translation>
    </message>
    <message>
        <source>--json cannot be combined with --dialog</source>
        <translation>--json ne peut pas être combiné à --dialog</translation>
    </message>
    <message>
        <source>--id expects a UUID, not %1</source>
        <translation>--id attend un UUID, pas %1</translation>
    </message>
    <message>
        <source>--suggested cannot be combined with --id</source>
        <translation>--suggested ne peut pas être combiné à --id</translation>
    </message>
    <message>
        <source>--%1 expects YYYY-MM-DD or an ISO 8601 date-time, not %2</source>
        <translation>--%1 attend AAAA-MM-JJ ou une date-heure ISO 8601, pas %2</translation>
    </message>
    <message>
        <source>--from must come before --to</source>
        <translation>--from doit précéder --to</translation>
    </message>
    <message>
        <source>--window cannot be combined with --from or --to</source>
        <translation>--window ne peut pas être combiné à --from ou --to</translation>
    </message>
    <message>
        <source>--window expects 1M, 3M, 6M, 1Y, 5Y, YTD or All, not %1</source>
        <translation>--window attend 1M, 3M, 6M, 1Y, 5Y, YTD ou All, pas %1</translation>
    </message>
    <message>
        <source>unexpected argument %1</source>
        <translation>argument inattendu %1</translation>
    </message>
    <message>
        <source>missing argument FILE</source>
        <translation>argument FILE manquant</translation>
    </message>
    <message>
        <source>--json cannot be combined with --notify</source>
        <translation>--json ne peut pas être combiné à --notify</translation>
    </message>
    <message>
        <source>unknown command %1</source>
        <translation>commande inconnue %1</translation>
    </message>
    <message>
        <source>corvanta%1: %2 (try &apos;corvanta%3 --help&apos;)</source>
        <translation>corvanta%1: %2 (essayez «&#xa0;corvanta%3 --help&#xa0;»)</translation>
    </message>
    <message>
        <source>the window&apos;s options (such as -platform) cannot come before the command %1</source>
        <translation>les options de la fenêtre (comme -platform) ne peuvent pas précéder la commande %1</translation>
    </message>
    <message>
        <source>Print JSON instead of text.</source>
        <translation>Afficher du JSON au lieu de texte.</translation>
    </message>
    <message>
        <source>YYYY-MM-DD (local midnight) or an ISO 8601 date-time (local time without an offset).</source>
        <translation>AAAA-MM-JJ (minuit, heure locale) ou une date-heure ISO 8601 (heure locale sans décalage).</translation>
    </message>
    <message>
        <source>Ask for the entry in a small window.</source>
        <translation>Demander l’entrée dans une petite fenêtre.</translation>
    </message>
    <message>
        <source>Show the summary as a desktop notification.</source>
        <translation>Afficher le sommaire dans une notification du bureau.</translation>
    </message>
    <message>
        <source>Only the 20 latest entries, newest first.</source>
        <translation>Seulement les 20 dernières entrées, les plus récentes d’abord.</translation>
    </message>
    <message>
        <source>Only the entry with this id (repeatable).</source>
        <translation>Seulement l’entrée portant cet identifiant (répétable).</translation>
    </message>
    <message>
        <source>Leave out rows already stored (same day, amounts and note as an entry).</source>
        <translation>Laisser de côté les lignes déjà enregistrées (même jour, mêmes montants et même note qu’une entrée).</translation>
    </message>
    <message>
        <source>Read &apos;,&apos; as the decimal separator and &apos;.&apos; as grouping (1.234,56).</source>
        <translation>Lire «&#xa0;,&#xa0;» comme séparateur décimal et «&#xa0;.&#xa0;» comme séparateur de milliers (1.234,56).</translation>
    </message>
    <message>
        <source>Only say what the import would do; write nothing.</source>
        <translation>Seulement dire ce que ferait l’importation; ne rien écrire.</translation>
    </message>
    <message>
        <source>The window of the returns: 1M, 3M, 6M, 1Y, 5Y, YTD or All (when absent).</source>
        <translation>La période des rendements&#xa0;: 1M, 3M, 6M, 1Y, 5Y, YTD ou All (par défaut).</translation>
    </message>
    <message>
        <source>The returns from this day (YYYY-MM-DD) or instant on.</source>
        <translation>Les rendements à partir de ce jour (AAAA-MM-JJ) ou de cet instant.</translation>
    </message>
    <message>
        <source>The returns up to the end of this day (YYYY-MM-DD) or up to this instant.</source>
        <translation>Les rendements jusqu’à la fin de ce jour (AAAA-MM-JJ) ou jusqu’à cet instant.</translation>
    </message>
    <message>
        <source>Every calendar year that holds entries, as Fill from Entries proposes it, with its time-weighted return.</source>
        <translation>Chaque année civile qui contient des entrées, comme la propose «&#xa0;Remplir à partir des entrées&#xa0;», avec son rendement pondéré en fonction du temps.</translation>
    </message>
    <message>
        <source>Add a balance entry and print what was added.</source>
        <translation>Ajouter une entrée de solde et afficher ce qui a été ajouté.</translation>
    </message>
    <message>
        <source>Print the portfolio summary.</source>
        <translation>Afficher le sommaire du portefeuille.</translation>
    </message>
    <message>
        <source>List the balance entries, oldest first.</source>
        <translation>Lister les entrées de solde, les plus anciennes d’abord.</translation>
    </message>
    <message>
        <source>Print the dashboard&apos;s statistics.</source>
        <translation>Afficher les statistiques du tableau de bord.</translation>
    </message>
    <message>
        <source>Print the yearly index comparison.</source>
        <translation>Afficher la comparaison annuelle avec l’indice.</translation>
    </message>
    <message>
        <source>Import the entries of a CSV file.</source>
        <translation>Importer les entrées d’un fichier CSV.</translation>
    </message>
    <message>
        <source>Export every entry as CSV to FILE (standard output when absent or &quot;-&quot;).</source>
        <translation>Exporter toutes les entrées en CSV dans FILE (la sortie standard sans FILE ou avec «&#xa0;-&#xa0;»).</translation>
    </message>
    <message>
        <source>Back up the whole store to FILE (a new file in the backups folder when absent).</source>
        <translation>Sauvegarder toutes les données dans FILE (un nouveau fichier du dossier des sauvegardes sans FILE).</translation>
    </message>
    <message>
        <source>List the backups in the backups folder, newest first.</source>
        <translation>Lister les sauvegardes du dossier des sauvegardes, les plus récentes d’abord.</translation>
    </message>
    <message>
        <source>Replace the store with a backup, after backing up the store as it is.</source>
        <translation>Remplacer les données par une sauvegarde, après avoir sauvegardé les données telles quelles.</translation>
    </message>
</context>
<context>
    <name>ComparisonSummaryView</name>
    <message>
        <source>Add yearly data to see the comparison.</source>
        <translation>Ajoutez des données annuelles pour voir la comparaison.</translation>
    </message>
    <message>
        <source>Summary</source>
        <translation>Sommaire</translation>
    </message>
    <message>
        <source>Starting Balance</source>
        <translation>Solde de départ</translation>
    </message>
    <message>
        <source>Net Cash Flows</source>
        <translation>Flux de trésorerie nets</translation>
    </message>
    <message>
        <source>Current Value</source>
        <translation>Valeur actuelle</translation>
    </message>
    <message>
        <source>Investment Gain (excl. cash flows)</source>
        <translation>Gain de placement (hors flux)</translation>
    </message>
    <message>
        <source>Gain as % of Start + Cash Flows</source>
        <translation>Gain en % du départ + flux</translation>
    </message>
    <message>
        <source>Your Portfolio</source>
        <translation>Votre portefeuille</translation>
    </message>
    <message>
        <source>TSX Equivalent</source>
        <translation>Équivalent TSX</translation>
    </message>
    <message>
        <source>Difference</source>
        <translation>Écart</translation>
    </message>
</context>
<context>
    <name>ContentView</name>
    <message>
        <source>Views</source>
        <translation>Vues</translation>
    </message>
    <message>
        <source>Dashboard</source>
        <translation>Tableau de bord</translation>
    </message>
    <message>
        <source>Corvanta</source>
        <translation>Corvanta</translation>
    </message>
    <message>
        <source>TSX Comparison</source>
        <translation>Comparaison TSX</translation>
    </message>
    <message>
        <source>Save failed: </source>
        <translation>Échec de l’enregistrement&#xa0;: </translation>
    </message>
    <message>
        <source>Loaded 1 entry of sample data</source>
        <translation>1 entrée d’exemple chargée</translation>
    </message>
    <message numerus="yes">
        <source>Loaded %Ln entries of sample data</source>
        <translation>
            <numerusform>%Ln entrée d’exemple chargée</numerusform>
            <numerusform>%Ln entrées d’exemple chargées</numerusform>
        </translation>
    </message>
    <message>
        <source>Removed 1 entry of sample data</source>
        <translation>1 entrée d’exemple retirée</translation>
    </message>
    <message numerus="yes">
        <source>Removed %Ln entries of sample data</source>
        <translation>
            <numerusform>%Ln entrée d’exemple retirée</numerusform>
            <numerusform>%Ln entrées d’exemple retirées</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CorvantaApp</name>
    <message>
        <source>Back Up Now…</source>
        <translation>Sauvegarder maintenant…</translation>
    </message>
    <message>
        <source>Restore From Backup…</source>
        <translation>Restaurer une sauvegarde…</translation>
    </message>
    <message>
        <source>Undo failed: %1</source>
        <translation>Échec de l’annulation&#xa0;: %1</translation>
    </message>
    <message>
        <source>Undid the last change</source>
        <translation>Dernière modification annulée</translation>
    </message>
    <message>
        <source>Undid %1</source>
        <translation>Annulé&#xa0;: %1</translation>
    </message>
    <message>
        <source>Redo failed: %1</source>
        <translation>Échec du rétablissement&#xa0;: %1</translation>
    </message>
    <message>
        <source>Redid the last change</source>
        <translation>Dernière modification rétablie</translation>
    </message>
    <message>
        <source>Redid %1</source>
        <translation>Rétabli&#xa0;: %1</translation>
    </message>
    <message>
        <source>Undoing %1… %2%</source>
        <translation>Annulation en cours&#xa0;: %1… %2&#xa0;%</translation>
    </message>
    <message>
        <source>Redoing %1… %2%</source>
        <translation>Rétablissement en cours&#xa0;: %1… %2&#xa0;%</translation>
    </message>
    <message>
        <source>About Corvanta</source>
        <translation>À propos de Corvanta</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Corvanta %1&lt;/h3&gt;&lt;p&gt;Tracks the value of one investment portfolio over time and separates market performance from the money moved in and out.&lt;/p&gt;&lt;p&gt;Data file: %2&lt;/p&gt;&lt;p&gt;Released under the MIT licence.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Corvanta %1&lt;/h3&gt;&lt;p&gt;Suit la valeur d’un portefeuille de placements au fil du temps et distingue le rendement du marché de l’argent déposé et retiré.&lt;/p&gt;&lt;p&gt;Fichier de données&#xa0;: %2&lt;/p&gt;&lt;p&gt;Publié sous licence MIT.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>CorvantaTableView</name>
    <message>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>Add a new balance entry</source>
        <translation>Ajouter une entrée de solde</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Modifier</translation>
    </message>
    <message>
        <source>Edit the selected entry</source>
        <translation>Modifier l’entrée sélectionnée</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Delete the selected entries</source>
        <translation>Supprimer les entrées sélectionnées</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>Exporter en CSV</translation>
    </message>
    <message>
        <source>Export all entries to a CSV file</source>
        <translation>Exporter toutes les entrées dans un fichier CSV</translation>
    </message>
    <message>
        <source>Import CSV</source>
        <translation>Importer un CSV</translation>
    </message>
    <message>
        <source>Import entries from a CSV file</source>
        <translation>Importer des entrées d’un fichier CSV</translation>
    </message>
    <message>
        <source>Exported to %1</source>
        <translation>Exportation vers %1 terminée</translation>
    </message>
    <message>
        <source>Deleted 1 entry</source>
        <translation>1 entrée supprimée</translation>
    </message>
    <message numerus="yes">
        <source>Deleted %Ln entries</source>
        <translation>
            <numerusform>%Ln entrée supprimée</numerusform>
            <numerusform>%Ln entrées supprimées</numerusform>
        </translation>
    </message>
    <message>
        <source>Exported 1 entry to %1</source>
        <translation>1 entrée exportée vers %1</translation>
    </message>
    <message numerus="yes">
        <source>Exported %Ln entries to %1</source>
        <translation>
            <numerusform>%Ln entrée exportée vers %1</numerusform>
            <numerusform>%Ln entrées exportées vers %1</numerusform>
        </translation>
    </message>
    <message>
        <source>Imported 1 entry</source>
        <translation>1 entrée importée</translation>
    </message>
    <message numerus="yes">
        <source>Imported %Ln entries</source>
        <translation>
            <numerusform>%Ln entrée importée</numerusform>
            <numerusform>%Ln entrées importées</numerusform>
        </translation>
    </message>
    <message>
        <source>F&amp;ind</source>
        <translation>&amp;Rechercher</translation>
    </message>
    <message>
        <source>Entries</source>
        <translation>Entrées</translation>
    </message>
    <message>
        <source>One row per entry, newest first; Return edits the selected entry, Delete removes it</source>
        <translation>Une ligne par entrée, la plus récente d’abord; Entrée modifie l’entrée sélectionnée, Suppr la supprime</translation>
    </message>
</context>
<context>
    <name>CsvActions</name>
    <message>
        <source>Import 1 Entry</source>
        <translation>Importer 1 entrée</translation>
    </message>
    <message numerus="yes">
        <source>Import %n Entries</source>
        <translation>
            <numerusform>Importer %n entrée</numerusform>
            <numerusform>Importer %n entrées</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>EntryActions</name>
    <message>
        <source>%1 must be a finite number.</source>
        <translation>%1 doit être un nombre fini.</translation>
    </message>
    <message>
        <source>Balance</source>
        <translation>Solde</translation>
    </message>
    <message>
        <source>Adjustment</source>
        <translation>Ajustement</translation>
    </message>
    <message>
        <source>Transfers</source>
        <translation>Transferts</translation>
    </message>
    <message>
        <source>Add Entry</source>
        <translation>Ajouter une entrée</translation>
    </message>
    <message>
        <source>Edit Entry</source>
        <translation>Modifier l’entrée</translation>
    </message>
    <message>
        <source>Delete Entry</source>
        <translation>Supprimer l’entrée</translation>
    </message>
    <message numerus="yes">
        <source>Delete %n Entries</source>
        <translation>
            <numerusform>Supprimer %n entrée</numerusform>
            <numerusform>Supprimer %n entrées</numerusform>
        </translation>
    </message>
    <message>
        <source>The entry could not be deleted: %1.</source>
        <translation>L’entrée n’a pas pu être supprimée&#xa0;: %1.</translation>
    </message>
    <message>
        <source>The entries could not be deleted: %1.</source>
        <translation>Les entrées n’ont pas pu être supprimées&#xa0;: %1.</translation>
    </message>
</context>
<context>
    <name>EntryEditorView</name>
    <message>
        <source>Add Entry</source>
        <translation>Ajouter une entrée</translation>
    </message>
    <message>
        <source>Edit Entry</source>
        <translation>Modifier l’entrée</translation>
    </message>
    <message>
        <source>YYYY-MM-DD</source>
        <translation>AAAA-MM-JJ</translation>
    </message>
    <message>
        <source>Use YYYY-MM-DD format (e.g. 2026-06-04).</source>
        <translation>Utilisez le format AAAA-MM-JJ (p. ex. 2026-06-04).</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Save failed: </source>
        <translation>Échec de l’enregistrement&#xa0;: </translation>
    </message>
    <message>
        <source>This entry was deleted elsewhere.</source>
        <translation>Cette entrée a été supprimée ailleurs.</translation>
    </message>
    <message>
        <source>&amp;Date</source>
        <translation>&amp;Date</translation>
    </message>
    <message>
        <source>The entry&apos;s day, as YYYY-MM-DD</source>
        <translation>Le jour de l’entrée, au format AAAA-MM-JJ</translation>
    </message>
    <message>
        <source>&amp;Balance</source>
        <translation>&amp;Solde</translation>
    </message>
    <message>
        <source>The portfolio&apos;s value on that day</source>
        <translation>La valeur du portefeuille ce jour-là</translation>
    </message>
    <message>
        <source>&amp;Adjustment</source>
        <translation>&amp;Ajustement</translation>
    </message>
    <message>
        <source>Cash flow: + deposit / − withdrawal</source>
        <translation>Flux de trésorerie&#xa0;: + dépôt / − retrait</translation>
    </message>
    <message>
        <source>&amp;Transfers</source>
        <translation>&amp;Transferts</translation>
    </message>
    <message>
        <source>Moves between accounts; optional</source>
        <translation>Mouvements entre comptes; facultatif</translation>
    </message>
    <message>
        <source>&amp;Note</source>
        <translation>&amp;Note</translation>
    </message>
    <message>
        <source>Optional; Shift+Return breaks the line, Return saves</source>
        <translation>Facultatif; Maj+Entrée passe à la ligne, Entrée enregistre</translation>
    </message>
</context>
<context>
    <name>EntryFindField</name>
    <message>
        <source>Find in notes, dates, amounts</source>
        <translation>Notes, dates, montants</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Rechercher</translation>
    </message>
    <message>
        <source>Shows only the entries whose note, date or amounts contain the text</source>
        <translation>N’affiche que les entrées dont la note, la date ou les montants contiennent le texte</translation>
    </message>
</context>
<context>
    <name>EntryListing</name>
    <message>
        <source>corvanta entries: </source>
        <translation>corvanta entries: </translation>
    </message>
    <message>
        <source>corvanta entries: standard output could not be written</source>
        <translation>corvanta entries: la sortie standard n’a pas pu être écrite</translation>
    </message>
</context>
<context>
    <name>EntryTableModel</name>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Balance</source>
        <translation>Solde</translation>
    </message>
    <message>
        <source>Adjustment</source>
        <translation>Ajustement</translation>
    </message>
    <message>
        <source>Transfers</source>
        <translation>Transferts</translation>
    </message>
    <message>
        <source>Adj. Balance</source>
        <translation>Solde aj.</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Note</translation>
    </message>
</context>
<context>
    <name>FigureTables</name>
    <message>
        <source>Starting Balance</source>
        <translation>Solde de départ</translation>
    </message>
    <message>
        <source>Net Cash Flows</source>
        <translation>Flux de trésorerie nets</translation>
    </message>
    <message>
        <source>Current Value</source>
        <translation>Valeur actuelle</translation>
    </message>
    <message>
        <source>Investment Gain (excl. cash flows)</source>
        <translation>Gain de placement (hors flux)</translation>
    </message>
    <message>
        <source>Gain as % of Start + Cash Flows</source>
        <translation>Gain en % du départ + flux</translation>
    </message>
    <message>
        <source>Window</source>
        <translation>Période</translation>
    </message>
    <message>
        <source>Portfolio Stats</source>
        <translation>Statistiques du portefeuille</translation>
    </message>
    <message>
        <source>Maximum Balance</source>
        <translation>Solde maximal</translation>
    </message>
    <message>
        <source>Avg Balance (1 Month)</source>
        <translation>Solde moyen (1 mois)</translation>
    </message>
    <message>
        <source>Avg Balance (3 Months)</source>
        <translation>Solde moyen (3 mois)</translation>
    </message>
    <message>
        <source>Avg Balance (6 Months)</source>
        <translation>Solde moyen (6 mois)</translation>
    </message>
    <message>
        <source>Avg Balance (1 Year)</source>
        <translation>Solde moyen (1 an)</translation>
    </message>
    <message>
        <source>Total Deposits</source>
        <translation>Total des dépôts</translation>
    </message>
    <message>
        <source>Total Withdrawals</source>
        <translation>Total des retraits</translation>
    </message>
    <message>
        <source>Summary</source>
        <translation>Sommaire</translation>
    </message>
    <message>
        <source>Portfolio vs S&amp;P/TSX Composite (Total Return)</source>
        <translation>Portefeuille c. indice composé S&amp;P/TSX (rendement total)</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Année</translation>
    </message>
    <message>
        <source>TSX Return</source>
        <translation>Rendement TSX</translation>
    </message>
    <message>
        <source>Actual Start</source>
        <translation>Début réel</translation>
    </message>
    <message>
        <source>Actual End</source>
        <translation>Fin réelle</translation>
    </message>
    <message>
        <source>TSX Simulated</source>
        <translation>TSX simulé</translation>
    </message>
    <message>
        <source>Your Return</source>
        <translation>Votre rendement</translation>
    </message>
    <message>
        <source>Add yearly data to see the comparison.</source>
        <translation>Ajoutez des données annuelles pour voir la comparaison.</translation>
    </message>
    <message>
        <source>Your Portfolio</source>
        <translation>Votre portefeuille</translation>
    </message>
    <message>
        <source>TSX Equivalent</source>
        <translation>Équivalent TSX</translation>
    </message>
    <message>
        <source>Difference</source>
        <translation>Écart</translation>
    </message>
    <message>
        <source>Time-Weighted Return</source>
        <translation>Rendement pondéré en fonction du temps</translation>
    </message>
</context>
<context>
    <name>FileAccess</name>
    <message>
        <source>not found</source>
        <translation>introuvable</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>permission refusée</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>le disque est plein</translation>
    </message>
    <message>
        <source>too large for memory</source>
        <translation>trop volumineux pour la mémoire</translation>
    </message>
    <message>
        <source>a folder, not a file</source>
        <translation>un dossier, pas un fichier</translation>
    </message>
    <message>
        <source>a socket, not a file</source>
        <translation>un socket, pas un fichier</translation>
    </message>
    <message>
        <source>a device, not a file</source>
        <translation>un périphérique, pas un fichier</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>too large for memory (over %1)</source>
        <translation>trop volumineux pour la mémoire (plus de %1)</translation>
    </message>
    <message>
        <source>the reading end was closed</source>
        <translation>le lecteur a fermé le canal</translation>
    </message>
</context>
<context>
    <name>GetPortfolioSummaryIntent</name>
    <message>
        <source>Current value: %1
Investment gain: %2%3 (%2%4)
Net cash flows: %5</source>
        <translation>Valeur actuelle&#xa0;: %1
Gain de placement&#xa0;: %2%3 (%2%4)
Flux de trésorerie nets&#xa0;: %5</translation>
    </message>
    <message>
        <source>Get Portfolio Summary</source>
        <translation>Obtenir le sommaire du portefeuille</translation>
    </message>
</context>
<context>
    <name>ImportCommand</name>
    <message>
        <source>line %1</source>
        <translation>ligne %1</translation>
    </message>
    <message>
        <source>Rows read: %1
</source>
        <translation>Lignes lues&#xa0;: %1
</translation>
    </message>
    <message>
        <source>Dates: %1
</source>
        <translation>Dates&#xa0;: %1
</translation>
    </message>
    <message>
        <source>Date reading: %1
</source>
        <translation>Lecture des dates&#xa0;: %1
</translation>
    </message>
    <message>
        <source>Would import: %1
</source>
        <translation>Importerait&#xa0;: %1
</translation>
    </message>
    <message>
        <source>First rows:
</source>
        <translation>Premières lignes&#xa0;:
</translation>
    </message>
    <message>
        <source>Last rows:
</source>
        <translation>Dernières lignes&#xa0;:
</translation>
    </message>
    <message>
        <source>corvanta import: %1 They were read with &apos;,&apos; grouping; --decimal-comma reads them with a decimal comma.
</source>
        <translation>corvanta import: %1 Ils ont été lus avec «&#xa0;,&#xa0;» comme séparateur de milliers; --decimal-comma les lit avec une virgule décimale.
</translation>
    </message>
    <message>
        <source>corvanta import: %1; they would be imported again (--skip-existing leaves them out).
</source>
        <translation>corvanta import: %1; elles seraient importées de nouveau (--skip-existing les laisse de côté).
</translation>
    </message>
    <message>
        <source>corvanta import: %1; they are imported again (--skip-existing leaves them out).
</source>
        <translation>corvanta import: %1; elles sont importées de nouveau (--skip-existing les laisse de côté).
</translation>
    </message>
    <message>
        <source>corvanta import: </source>
        <translation>corvanta import: </translation>
    </message>
</context>
<context>
    <name>ImportPreviewText</name>
    <message>
        <source>1 of these rows is already stored</source>
        <translation>1 de ces lignes est déjà enregistrée</translation>
    </message>
    <message>
        <source>%1 of these rows are already stored</source>
        <translation>%1 de ces lignes sont déjà enregistrées</translation>
    </message>
    <message>
        <source>The amounts look like numbers with a decimal comma, such as 1.234,56.</source>
        <translation>Les montants semblent écrits avec une virgule décimale, comme 1.234,56.</translation>
    </message>
    <message>
        <source>Skip rows already stored</source>
        <translation>Ignorer les lignes déjà enregistrées</translation>
    </message>
    <message>
        <source>Read &apos;,&apos; as the decimal separator</source>
        <translation>Lire «&#xa0;,&#xa0;» comme séparateur décimal</translation>
    </message>
</context>
<context>
    <name>ImportPreviewView</name>
    <message>
        <source>Import %1</source>
        <translation>Importer %1</translation>
    </message>
    <message>
        <source>Rows read:</source>
        <translation>Lignes lues&#xa0;:</translation>
    </message>
    <message>
        <source>Dates:</source>
        <translation>Dates&#xa0;:</translation>
    </message>
    <message>
        <source>Dates read as:</source>
        <translation>Dates lues comme&#xa0;:</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importer</translation>
    </message>
    <message>
        <source>1 row will be skipped:</source>
        <translation>1 ligne sera ignorée&#xa0;:</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Balance</source>
        <translation>Solde</translation>
    </message>
    <message>
        <source>Adjustment</source>
        <translation>Ajustement</translation>
    </message>
    <message>
        <source>Transfers</source>
        <translation>Transferts</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Note</translation>
    </message>
    <message numerus="yes">
        <source>%n rows will be skipped:</source>
        <translation>
            <numerusform>%n ligne sera ignorée&#xa0;:</numerusform>
            <numerusform>%n lignes seront ignorées&#xa0;:</numerusform>
        </translation>
    </message>
    <message>
        <source>First and last rows read</source>
        <translation>Premières et dernières lignes lues</translation>
    </message>
    <message>
        <source>Rows to be skipped</source>
        <translation>Lignes qui seront ignorées</translation>
    </message>
</context>
<context>
    <name>ImportRows</name>
    <message>
        <source>only one column, no balance</source>
        <translation>une seule colonne, aucun solde</translation>
    </message>
    <message>
        <source>%1 is not a date</source>
        <translation>%1 n’est pas une date</translation>
    </message>
    <message>
        <source>no balance</source>
        <translation>aucun solde</translation>
    </message>
    <message>
        <source>%1 is not an amount</source>
        <translation>%1 n’est pas un montant</translation>
    </message>
</context>
<context>
    <name>JsonOutput</name>
    <message>
        <source>corvanta: standard output could not be written</source>
        <translation>corvanta: la sortie standard n’a pas pu être écrite</translation>
    </message>
</context>
<context>
    <name>MainMenus</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>New Entry</source>
        <translation>Nouvelle entrée</translation>
    </message>
    <message>
        <source>Import CSV…</source>
        <translation>Importer un CSV…</translation>
    </message>
    <message>
        <source>Export CSV…</source>
        <translation>Exporter en CSV…</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>É&amp;dition</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Tout sélectionner</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Rechercher</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Affichage</translation>
    </message>
    <message>
        <source>Dashboard</source>
        <translation>Tableau de bord</translation>
    </message>
    <message>
        <source>Corvanta</source>
        <translation>Corvanta</translation>
    </message>
    <message>
        <source>TSX Comparison</source>
        <translation>Comparaison TSX</translation>
    </message>
    <message>
        <source>Previous Tab</source>
        <translation>Onglet précédent</translation>
    </message>
    <message>
        <source>Next Tab</source>
        <translation>Onglet suivant</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Aid&amp;e</translation>
    </message>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>Raccourcis clavier</translation>
    </message>
    <message>
        <source>About Corvanta</source>
        <translation>À propos de Corvanta</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Rétablir</translation>
    </message>
</context>
<context>
    <name>NewEntryFormView</name>
    <message>
        <source>New Entry</source>
        <translation>Nouvelle entrée</translation>
    </message>
    <message>
        <source>&amp;Balance</source>
        <translation>&amp;Solde</translation>
    </message>
    <message>
        <source>Required, e.g. 1242000</source>
        <translation>Requis, p. ex. 1242000</translation>
    </message>
    <message>
        <source>&amp;Adjustment</source>
        <translation>&amp;Ajustement</translation>
    </message>
    <message>
        <source>Cash flow: + deposit / − withdrawal</source>
        <translation>Flux de trésorerie&#xa0;: + dépôt / − retrait</translation>
    </message>
    <message>
        <source>&amp;Transfers</source>
        <translation>&amp;Transferts</translation>
    </message>
    <message>
        <source>Optional</source>
        <translation>Facultatif</translation>
    </message>
    <message>
        <source>&amp;Date</source>
        <translation>&amp;Date</translation>
    </message>
    <message>
        <source>The entry&apos;s day, as YYYY-MM-DD</source>
        <translation>Le jour de l’entrée, au format AAAA-MM-JJ</translation>
    </message>
    <message>
        <source>YYYY-MM-DD</source>
        <translation>AAAA-MM-JJ</translation>
    </message>
    <message>
        <source>Pick a day</source>
        <translation>Choisir un jour</translation>
    </message>
    <message>
        <source>Opens a calendar to choose the entry&apos;s day</source>
        <translation>Ouvre un calendrier pour choisir le jour de l’entrée</translation>
    </message>
    <message>
        <source>Use YYYY-MM-DD format (e.g. 2026-06-04).</source>
        <translation>Utilisez le format AAAA-MM-JJ (p. ex. 2026-06-04).</translation>
    </message>
    <message>
        <source>&amp;Note</source>
        <translation>&amp;Note</translation>
    </message>
    <message>
        <source>Optional; Ctrl+Return submits the entry</source>
        <translation>Facultatif; Ctrl+Entrée ajoute l’entrée</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Effacer</translation>
    </message>
    <message>
        <source>Submit</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>Balance must be a number.</source>
        <translation>Le solde doit être un nombre.</translation>
    </message>
    <message>
        <source>Date must be in YYYY-MM-DD format.</source>
        <translation>La date doit être au format AAAA-MM-JJ.</translation>
    </message>
    <message>
        <source>Save failed: </source>
        <translation>Échec de l’enregistrement&#xa0;: </translation>
    </message>
    <message>
        <source>Added an entry</source>
        <translation>Entrée ajoutée</translation>
    </message>
    <message>
        <source>Added the entry of %1</source>
        <translation>Entrée du %1 ajoutée</translation>
    </message>
</context>
<context>
    <name>NoteRules</name>
    <message>
        <source>The note is too long: %1 bytes, at most 1 MiB (%2 bytes).</source>
        <translation>La note est trop longue&#xa0;: %1 octets, au plus 1 Mio (%2 octets).</translation>
    </message>
</context>
<context>
    <name>ObjectVerbs</name>
    <message>
        <source>The object belongs to another store.</source>
        <translation>L’objet appartient à d’autres données.</translation>
    </message>
    <message>
        <source>The object was deleted.</source>
        <translation>L’objet a été supprimé.</translation>
    </message>
</context>
<context>
    <name>OverlayButtons</name>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>PortfolioScripting</name>
    <message>
        <source>%1 entries do not fit one reply: read them in parts with BalanceEntriesRange(offset, count), at most %2 at a time</source>
        <translation>%1 entrées ne tiennent pas dans une seule réponse&#xa0;: lisez-les par parties avec BalanceEntriesRange(offset, count), au plus %2 à la fois</translation>
    </message>
    <message>
        <source>Index %1 is outside 0 to %2</source>
        <translation>L’indice %1 est hors de l’intervalle 0 à %2</translation>
    </message>
    <message>
        <source>No object has the scriptID &quot;%1&quot;</source>
        <translation>Aucun objet ne porte le scriptID «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be %2</source>
        <translation>«&#xa0;%1&#xa0;» doit être %2</translation>
    </message>
    <message>
        <source>a date as text, YYYY-MM-DD or an ISO 8601 date-time (years 1 to 9999)</source>
        <translation>une date en texte, AAAA-MM-JJ ou une date-heure ISO 8601 (années 1 à 9999)</translation>
    </message>
    <message>
        <source>a finite number</source>
        <translation>un nombre fini</translation>
    </message>
    <message>
        <source>a number, not %1</source>
        <translation>un nombre, pas %1</translation>
    </message>
    <message>
        <source>zero or more</source>
        <translation>zéro ou plus</translation>
    </message>
    <message>
        <source>between 0 and %1</source>
        <translation>entre 0 et %1</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>The backup could not be made.</source>
        <translation>La sauvegarde n’a pas pu être faite.</translation>
    </message>
    <message>
        <source>Backed up %1 to %2.</source>
        <translation>Sauvegarde faite dans %2&#xa0;: %1.</translation>
    </message>
    <message>
        <source>This backup cannot be restored.</source>
        <translation>Cette sauvegarde ne peut pas être restaurée.</translation>
    </message>
    <message>
        <source>what the store holds now</source>
        <translation>les données actuelles</translation>
    </message>
    <message>
        <source>Replace the store with %1?</source>
        <translation>Remplacer les données par %1?</translation>
    </message>
    <message>
        <source>This replaces %1 with the backup&apos;s %2. The store as it is now is backed up first. The undo history is cleared.</source>
        <translation>Cette opération remplace %1 par le contenu de la sauvegarde (%2). Les données actuelles sont d’abord sauvegardées. L’historique d’annulation est effacé.</translation>
    </message>
    <message>
        <source>The backup could not be restored.</source>
        <translation>La sauvegarde n’a pas pu être restaurée.</translation>
    </message>
    <message>
        <source>The window holds changes not yet saved; nothing was restored</source>
        <translation>La fenêtre contient des modifications non enregistrées; rien n’a été restauré</translation>
    </message>
    <message>
        <source>Restored %1; the undo history was cleared.</source>
        <translation>Restauration faite&#xa0;: %1; l’historique d’annulation a été effacé.</translation>
    </message>
    <message>
        <source>the backup of %1</source>
        <translation>la sauvegarde du %1</translation>
    </message>
    <message>
        <source>Corvanta backups (*.sqlite)</source>
        <translation>Sauvegardes Corvanta (*.sqlite)</translation>
    </message>
    <message>
        <source>Back Up Now</source>
        <translation>Sauvegarder maintenant</translation>
    </message>
    <message>
        <source>Restore From Backup</source>
        <translation>Restaurer une sauvegarde</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Restaurer</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>Sauvegarde</translation>
    </message>
    <message>
        <source>Restore From Backup…</source>
        <translation>Restaurer une sauvegarde…</translation>
    </message>
    <message>
        <source>Restore %1 over the store that cannot be opened?</source>
        <translation>Restaurer %1 à la place des données qui ne peuvent pas être ouvertes?</translation>
    </message>
    <message>
        <source>The store as it is now is moved into %1, whole.</source>
        <translation>Les données actuelles sont déplacées telles quelles dans %1.</translation>
    </message>
    <message>
        <source>The backup was restored. Start Corvanta again to open it.</source>
        <translation>La sauvegarde a été restaurée. Relancez Corvanta pour l’ouvrir.</translation>
    </message>
    <message>
        <source>%1 and %2%3</source>
        <comment>entries and years (days)</comment>
        <translation>%1 et %2%3</translation>
    </message>
    <message>
        <source>the %1 and %2 in the store now</source>
        <translation>les %1 et %2 enregistrées actuellement</translation>
    </message>
</context>
<context>
    <name>ReturnTexts</name>
    <message>
        <source>Returns</source>
        <translation>Rendements</translation>
    </message>
    <message>
        <source>Returns, %1 – %2</source>
        <translation>Rendements du %1 au %2</translation>
    </message>
    <message>
        <source>recovered on %1</source>
        <translation>récupérée le %1</translation>
    </message>
    <message>
        <source>not yet recovered</source>
        <translation>pas encore récupérée</translation>
    </message>
    <message>
        <source>From the peak of %1 to the trough of %2; %3.</source>
        <translation>Du sommet du %1 au creux du %2; %3.</translation>
    </message>
    <message>
        <source>Peak on %1.</source>
        <translation>Sommet le %1.</translation>
    </message>
    <message>
        <source>Time-Weighted Return</source>
        <translation>Rendement pondéré en fonction du temps</translation>
    </message>
    <message>
        <source>How the money invested grew over the whole period, the timing and size of deposits and withdrawals taken out. For the period, not per year.</source>
        <translation>La croissance de l’argent investi sur toute la période, sans l’effet du moment ni du montant des dépôts et des retraits. Pour la période, non annualisé.</translation>
    </message>
    <message>
        <source>Time-Weighted, per Year</source>
        <translation>Pondéré en fonction du temps, annualisé</translation>
    </message>
    <message>
        <source>The time-weighted return as a yearly rate, over the days from the first snapshot holding money to the last. Shown for 365 days or more only.</source>
        <translation>Le rendement pondéré en fonction du temps en taux annuel, du premier relevé contenant de l’argent au dernier. Affiché à partir de 365 jours seulement.</translation>
    </message>
    <message>
        <source>Money-Weighted (XIRR), per Year</source>
        <translation>Pondéré en fonction des capitaux (TRI), annualisé</translation>
    </message>
    <message>
        <source>The yearly rate your money earned, each deposit and withdrawal counting from its own day (the internal rate of return). Shown for 365 days or more only.</source>
        <translation>Le taux annuel qu’a rapporté votre argent, chaque dépôt et chaque retrait comptant à partir de son propre jour (le taux de rendement interne). Affiché à partir de 365 jours seulement.</translation>
    </message>
    <message>
        <source>Modified Dietz Return</source>
        <translation>Rendement selon Dietz modifié</translation>
    </message>
    <message>
        <source>The gain over the period divided by the average capital invested, each flow weighted by the share of the period it was in. For the period, not per year.</source>
        <translation>Le gain de la période divisé par le capital moyen investi, chaque flux étant pondéré par la part de la période où il était investi. Pour la période, non annualisé.</translation>
    </message>
    <message>
        <source>Max Drawdown</source>
        <translation>Baisse maximale</translation>
    </message>
    <message>
        <source>The deepest fall of the value, cash flows taken out, from a peak to a later low in the period.</source>
        <translation>La plus forte baisse de la valeur, hors flux de trésorerie, d’un sommet à un creux ultérieur dans la période.</translation>
    </message>
    <message>
        <source>Current Drawdown</source>
        <translation>Baisse actuelle</translation>
    </message>
    <message>
        <source>How far the value, cash flows taken out, stands below its last peak on the period&apos;s last day.</source>
        <translation>Le recul de la valeur, hors flux de trésorerie, sous son dernier sommet au dernier jour de la période.</translation>
    </message>
</context>
<context>
    <name>SampleData</name>
    <message>
        <source>Load Sample Data</source>
        <translation>Charger les données d’exemple</translation>
    </message>
    <message>
        <source>Remove Sample Data</source>
        <translation>Retirer les données d’exemple</translation>
    </message>
</context>
<context>
    <name>ShortcutsSheet</name>
    <message>
        <source>Submit the new entry (from any of its fields)</source>
        <translation>Ajouter la nouvelle entrée (depuis n’importe lequel de ses champs)</translation>
    </message>
    <message>
        <source>Next field of the new entry; edit the entry of the current row</source>
        <translation>Champ suivant de la nouvelle entrée; modifier l’entrée de la ligne courante</translation>
    </message>
    <message>
        <source>Delete the selected entries</source>
        <translation>Supprimer les entrées sélectionnées</translation>
    </message>
    <message>
        <source>Left, Right</source>
        <translation>Gauche, Droite</translation>
    </message>
    <message>
        <source>Move the chart&apos;s read-out by one point (chart focused)</source>
        <translation>Déplacer la lecture du graphique d’un point (graphique actif)</translation>
    </message>
    <message>
        <source>Home, End</source>
        <translation>Début, Fin</translation>
    </message>
    <message>
        <source>Chart&apos;s read-out to the first or last point</source>
        <translation>Lecture du graphique au premier ou au dernier point</translation>
    </message>
    <message>
        <source>Close a sheet or editor; clear the search</source>
        <translation>Fermer une feuille ou un éditeur; effacer la recherche</translation>
    </message>
    <message>
        <source>Next tab (outside tables)</source>
        <translation>Onglet suivant (hors des tableaux)</translation>
    </message>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>Raccourcis clavier</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>StatsPanelView</name>
    <message>
        <source>Maximum Balance</source>
        <translation>Solde maximal</translation>
    </message>
    <message>
        <source>The highest balance any entry records.</source>
        <translation>Le solde le plus élevé inscrit dans une entrée.</translation>
    </message>
    <message>
        <source>Avg Balance (1 Month)</source>
        <translation>Solde moyen (1 mois)</translation>
    </message>
    <message>
        <source>The mean balance of the entries of the last 30 days, each entry counting once.</source>
        <translation>Le solde moyen des entrées des 30 derniers jours, chaque entrée comptant une fois.</translation>
    </message>
    <message>
        <source>Avg Balance (3 Months)</source>
        <translation>Solde moyen (3 mois)</translation>
    </message>
    <message>
        <source>The mean balance of the entries of the last 91 days, each entry counting once.</source>
        <translation>Le solde moyen des entrées des 91 derniers jours, chaque entrée comptant une fois.</translation>
    </message>
    <message>
        <source>Avg Balance (6 Months)</source>
        <translation>Solde moyen (6 mois)</translation>
    </message>
    <message>
        <source>The mean balance of the entries of the last 182 days, each entry counting once.</source>
        <translation>Le solde moyen des entrées des 182 derniers jours, chaque entrée comptant une fois.</translation>
    </message>
    <message>
        <source>Avg Balance (1 Year)</source>
        <translation>Solde moyen (1 an)</translation>
    </message>
    <message>
        <source>The mean balance of the entries of the last 365 days, each entry counting once.</source>
        <translation>Le solde moyen des entrées des 365 derniers jours, chaque entrée comptant une fois.</translation>
    </message>
    <message>
        <source>Total Deposits</source>
        <translation>Total des dépôts</translation>
    </message>
    <message>
        <source>Every deposit recorded, added up.</source>
        <translation>La somme de tous les dépôts inscrits.</translation>
    </message>
    <message>
        <source>Total Withdrawals</source>
        <translation>Total des retraits</translation>
    </message>
    <message>
        <source>Every withdrawal recorded, added up.</source>
        <translation>La somme de tous les retraits inscrits.</translation>
    </message>
    <message>
        <source>Starting Balance</source>
        <translation>Solde de départ</translation>
    </message>
    <message>
        <source>The balance of the history&apos;s first day; that day&apos;s deposits are part of it.</source>
        <translation>Le solde du premier jour de l’historique; les dépôts de ce jour-là en font partie.</translation>
    </message>
    <message>
        <source>Net Cash Flows</source>
        <translation>Flux de trésorerie nets</translation>
    </message>
    <message>
        <source>Deposits less withdrawals after the first day.</source>
        <translation>Les dépôts moins les retraits après le premier jour.</translation>
    </message>
    <message>
        <source>Current Value</source>
        <translation>Valeur actuelle</translation>
    </message>
    <message>
        <source>The balance of the history&apos;s last day.</source>
        <translation>Le solde du dernier jour de l’historique.</translation>
    </message>
    <message>
        <source>Investment Gain (excl. cash flows)</source>
        <translation>Gain de placement (hors flux)</translation>
    </message>
    <message>
        <source>What the investments earned: the current value less the starting balance and the net cash flows.</source>
        <translation>Ce que les placements ont rapporté&#xa0;: la valeur actuelle moins le solde de départ et les flux de trésorerie nets.</translation>
    </message>
    <message>
        <source>Gain as % of Start + Cash Flows</source>
        <translation>Gain en % du départ + flux</translation>
    </message>
    <message>
        <source>The investment gain as a share of the starting balance plus the net cash flows.</source>
        <translation>Le gain de placement en proportion du solde de départ plus les flux de trésorerie nets.</translation>
    </message>
    <message>
        <source>Portfolio Stats</source>
        <translation>Statistiques du portefeuille</translation>
    </message>
    <message>
        <source>Summary</source>
        <translation>Sommaire</translation>
    </message>
    <message>
        <source>Returns</source>
        <translation>Rendements</translation>
    </message>
</context>
<context>
    <name>StatusFeedback</name>
    <message>
        <source>Last action</source>
        <translation>Dernière action</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>Store</name>
    <message>
        <source>The store could not be read</source>
        <translation>Les données n’ont pas pu être lues</translation>
    </message>
    <message>
        <source>The store could not be read (a save is in progress)</source>
        <translation>Les données n’ont pas pu être lues (un enregistrement est en cours)</translation>
    </message>
    <message>
        <source>The changes could not be saved</source>
        <translation>Les modifications n’ont pas pu être enregistrées</translation>
    </message>
    <message>
        <source>The changes could not be saved (the save is over)</source>
        <translation>Les modifications n’ont pas pu être enregistrées (l’enregistrement est terminé)</translation>
    </message>
    <message>
        <source>an edited item was deleted by another program</source>
        <translation>un élément modifié a été supprimé par un autre programme</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>le disque est plein</translation>
    </message>
    <message>
        <source>another program is using the store</source>
        <translation>un autre programme utilise les données</translation>
    </message>
    <message>
        <source>the store can only be read</source>
        <translation>les données sont en lecture seule</translation>
    </message>
    <message>
        <source>the disk could not be read or written</source>
        <translation>le disque n’a pas pu être lu ou écrit</translation>
    </message>
    <message>
        <source>the store file is damaged</source>
        <translation>le fichier de données est endommagé</translation>
    </message>
    <message>
        <source>the store file could not be opened</source>
        <translation>le fichier de données n’a pas pu être ouvert</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>permission refusée</translation>
    </message>
    <message>
        <source>the computer is out of memory</source>
        <translation>l’ordinateur manque de mémoire</translation>
    </message>
    <message>
        <source>a value is too large to store</source>
        <translation>une valeur est trop grande pour être enregistrée</translation>
    </message>
    <message>
        <source>a value does not fit the store&apos;s rules</source>
        <translation>une valeur ne respecte pas les règles des données</translation>
    </message>
    <message>
        <source>the store&apos;s tables are not as expected</source>
        <translation>les tables des données ne sont pas celles attendues</translation>
    </message>
    <message>
        <source>the store could not carry out the request</source>
        <translation>les données n’ont pas pu traiter la demande</translation>
    </message>
    <message>
        <source>The store could not be opened</source>
        <translation>Les données n’ont pas pu être ouvertes</translation>
    </message>
    <message>
        <source>The store returned no value</source>
        <translation>Les données n’ont renvoyé aucune valeur</translation>
    </message>
    <message>
        <source>The file is damaged</source>
        <translation>Le fichier est endommagé</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>un dossier</translation>
    </message>
    <message>
        <source>a named pipe</source>
        <translation>un tube nommé</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>un socket</translation>
    </message>
    <message>
        <source>a device</source>
        <translation>un périphérique</translation>
    </message>
    <message>
        <source>something else</source>
        <translation>autre chose</translation>
    </message>
    <message>
        <source>The path names %1, not a file</source>
        <translation>Le chemin désigne %1, pas un fichier</translation>
    </message>
    <message>
        <source>The file does not exist</source>
        <translation>Le fichier n’existe pas</translation>
    </message>
    <message>
        <source>The file could not be read</source>
        <translation>Le fichier n’a pas pu être lu</translation>
    </message>
    <message>
        <source>The file is not a SQLite database</source>
        <translation>Le fichier n’est pas une base de données SQLite</translation>
    </message>
    <message>
        <source>The file is truncated</source>
        <translation>Le fichier est tronqué</translation>
    </message>
    <message>
        <source>The backup was cancelled</source>
        <translation>La sauvegarde a été annulée</translation>
    </message>
    <message>
        <source>The backup could not be written to disk</source>
        <translation>La sauvegarde n’a pas pu être écrite sur le disque</translation>
    </message>
    <message>
        <source>The backup does not match the store</source>
        <translation>La sauvegarde ne correspond pas aux données</translation>
    </message>
    <message>
        <source>There is no store to back up</source>
        <translation>Il n’y a aucune donnée à sauvegarder</translation>
    </message>
    <message>
        <source>The backup could not be put in place</source>
        <translation>La sauvegarde n’a pas pu être mise en place</translation>
    </message>
    <message>
        <source>The file could not be opened</source>
        <translation>Le fichier n’a pas pu être ouvert</translation>
    </message>
    <message>
        <source>The file holds no Corvanta store</source>
        <translation>Le fichier ne contient pas de données Corvanta</translation>
    </message>
    <message>
        <source>The store is not a file</source>
        <translation>Les données ne sont pas un fichier</translation>
    </message>
    <message>
        <source>The store file could not be read</source>
        <translation>Le fichier de données n’a pas pu être lu</translation>
    </message>
    <message>
        <source>The store file is not a database</source>
        <translation>Le fichier de données n’est pas une base de données</translation>
    </message>
    <message>
        <source>The store file is read-only</source>
        <translation>Le fichier de données est en lecture seule</translation>
    </message>
    <message>
        <source>The store&apos;s folder could not be created</source>
        <translation>Le dossier des données n’a pas pu être créé</translation>
    </message>
    <message>
        <source>The store could not be prepared for use</source>
        <translation>Les données n’ont pas pu être préparées</translation>
    </message>
    <message>
        <source>The store file does not hold the Corvanta object model</source>
        <translation>Le fichier de données ne contient pas le modèle d’objets de Corvanta</translation>
    </message>
    <message>
        <source>The store was written by a newer version of Corvanta</source>
        <translation>Les données ont été écrites par une version plus récente de Corvanta</translation>
    </message>
    <message>
        <source>The changes could not be saved (a save is in progress)</source>
        <translation>Les modifications n’ont pas pu être enregistrées (un enregistrement est en cours)</translation>
    </message>
</context>
<context>
    <name>StoreFailureDialog</name>
    <message>
        <source>Corvanta</source>
        <translation>Corvanta</translation>
    </message>
    <message>
        <source>Data file: %1</source>
        <translation>Fichier de données&#xa0;: %1</translation>
    </message>
    <message>
        <source>Show File</source>
        <translation>Afficher le fichier</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quitter</translation>
    </message>
</context>
<context>
    <name>Subcommands</name>
    <message>
        <source>Please type a plain number such as 1234.56.
</source>
        <translation>Veuillez taper un nombre simple comme 1234.56.
</translation>
    </message>
    <message>
        <source>--balance is required (the portfolio balance)</source>
        <translation>--balance est requis (le solde du portefeuille)</translation>
    </message>
    <message>
        <source>Portfolio Summary</source>
        <translation>Sommaire du portefeuille</translation>
    </message>
    <message>
        <source>standard output could not be written</source>
        <translation>la sortie standard n’a pas pu être écrite</translation>
    </message>
    <message>
        <source>corvanta: no subcommand to run</source>
        <translation>corvanta: aucune sous-commande à exécuter</translation>
    </message>
    <message>
        <source>corvanta %1: standard output could not be written</source>
        <translation>corvanta %1: la sortie standard n’a pas pu être écrite</translation>
    </message>
</context>
<context>
    <name>TSXComparisonView</name>
    <message>
        <source>Add Year</source>
        <translation>Ajouter une année</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Modifier</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Add the year after the latest one</source>
        <translation>Ajouter l’année qui suit la plus récente</translation>
    </message>
    <message>
        <source>Edit the selected year</source>
        <translation>Modifier l’année sélectionnée</translation>
    </message>
    <message>
        <source>Delete the selected year</source>
        <translation>Supprimer l’année sélectionnée</translation>
    </message>
    <message>
        <source>Portfolio vs S&amp;P/TSX Composite (Total Return)</source>
        <translation>Portefeuille c. indice composé S&amp;P/TSX (rendement total)</translation>
    </message>
    <message>
        <source>Cannot add another year: the last row already stands at the highest position a row can have (32,767).</source>
        <translation>Impossible d’ajouter une autre année&#xa0;: la dernière ligne occupe déjà la position la plus élevée possible (32&#xa0;767).</translation>
    </message>
    <message>
        <source>Save failed: </source>
        <translation>Échec de l’enregistrement&#xa0;: </translation>
    </message>
    <message>
        <source>Years</source>
        <translation>Années</translation>
    </message>
    <message>
        <source>One row per year: the index return beside your own</source>
        <translation>Une ligne par année&#xa0;: le rendement de l’indice à côté du vôtre</translation>
    </message>
</context>
<context>
    <name>TSXYearEditorView</name>
    <message>
        <source>Add Year</source>
        <translation>Ajouter une année</translation>
    </message>
    <message>
        <source>Edit Year</source>
        <translation>Modifier l’année</translation>
    </message>
    <message>
        <source>Fill from Entries</source>
        <translation>Remplir à partir des entrées</translation>
    </message>
    <message>
        <source>Propose this year&apos;s start, end and net cash flows from the balance entries</source>
        <translation>Proposer les soldes de début et de fin et les flux de trésorerie nets de l’année à partir des entrées</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Save failed: </source>
        <translation>Échec de l’enregistrement&#xa0;: </translation>
    </message>
    <message>
        <source>Type a year to fill it from the entries.</source>
        <translation>Tapez une année pour la remplir à partir des entrées.</translation>
    </message>
    <message>
        <source>Could not read the entries: </source>
        <translation>Impossible de lire les entrées&#xa0;: </translation>
    </message>
    <message>
        <source>There are no entries dated in %1.</source>
        <translation>Aucune entrée n’est datée de %1.</translation>
    </message>
    <message>
        <source>This year was deleted elsewhere.</source>
        <translation>Cette année a été supprimée ailleurs.</translation>
    </message>
    <message>
        <source>e.g. 2025</source>
        <translation>p. ex. 2025</translation>
    </message>
    <message>
        <source>e.g. 2026 YTD</source>
        <translation>p. ex. 2026 CDA</translation>
    </message>
    <message>
        <source>e.g. 0.215 for 21.5%</source>
        <translation>p. ex. 0.215 pour 21,5&#xa0;%</translation>
    </message>
    <message>
        <source>&amp;Year</source>
        <translation>&amp;Année</translation>
    </message>
    <message>
        <source>The calendar year this row compares</source>
        <translation>L’année civile que compare cette ligne</translation>
    </message>
    <message>
        <source>&amp;Label (optional)</source>
        <translation>&amp;Libellé (facultatif)</translation>
    </message>
    <message>
        <source>Shown instead of the year, for instance for a year to date</source>
        <translation>Affiché à la place de l’année, par exemple pour un cumul depuis le début de l’année</translation>
    </message>
    <message>
        <source>TSX &amp;Return (decimal)</source>
        <translation>&amp;Rendement TSX (décimal)</translation>
    </message>
    <message>
        <source>The index&apos;s total return for the year, as a decimal fraction</source>
        <translation>Le rendement total de l’indice pour l’année, en fraction décimale</translation>
    </message>
    <message>
        <source>&amp;Net Cash Flows</source>
        <translation>&amp;Flux de trésorerie nets</translation>
    </message>
    <message>
        <source>Deposits less withdrawals during the year</source>
        <translation>Les dépôts moins les retraits de l’année</translation>
    </message>
    <message>
        <source>Actual &amp;Start</source>
        <translation>&amp;Début réel</translation>
    </message>
    <message>
        <source>The portfolio&apos;s balance at the start of the year</source>
        <translation>Le solde du portefeuille au début de l’année</translation>
    </message>
    <message>
        <source>Actual En&amp;d</source>
        <translation>Fi&amp;n réelle</translation>
    </message>
    <message>
        <source>The portfolio&apos;s balance at the end of the year</source>
        <translation>Le solde du portefeuille à la fin de l’année</translation>
    </message>
</context>
<context>
    <name>TSXYearsTableModel</name>
    <message>
        <source>Year</source>
        <translation>Année</translation>
    </message>
    <message>
        <source>TSX Return</source>
        <translation>Rendement TSX</translation>
    </message>
    <message>
        <source>Net Cash Flows</source>
        <translation>Flux nets</translation>
    </message>
    <message>
        <source>Actual Start</source>
        <translation>Début réel</translation>
    </message>
    <message>
        <source>Actual End</source>
        <translation>Fin réelle</translation>
    </message>
    <message>
        <source>TSX Simulated</source>
        <translation>TSX simulé</translation>
    </message>
    <message>
        <source>Your Return</source>
        <translation>Votre rendement</translation>
    </message>
</context>
<context>
    <name>TypedAmount</name>
    <message>
        <source>%1 is ambiguous: write %2 or %3</source>
        <translation>%1 est ambigu&#xa0;: écrivez %2 ou %3</translation>
    </message>
    <message>
        <source>The number is too large.</source>
        <translation>Le nombre est trop grand.</translation>
    </message>
    <message>
        <source>Enter a number such as -1000 or %1</source>
        <translation>Entrez un nombre comme -1000 ou %1</translation>
    </message>
</context>
<context>
    <name>TypedDay</name>
    <message>
        <source>Use YYYY-MM-DD format (e.g. 2026-06-04).</source>
        <translation>Utilisez le format AAAA-MM-JJ (p. ex. 2026-06-04).</translation>
    </message>
</context>
<context>
    <name>WelcomeBanner</name>
    <message>
        <source>Add your first balance</source>
        <translation>Ajoutez votre premier solde</translation>
    </message>
    <message>
        <source>Import a CSV file…</source>
        <translation>Importer un fichier CSV…</translation>
    </message>
    <message>
        <source>Try with sample data</source>
        <translation>Essayer avec des données d’exemple</translation>
    </message>
    <message>
        <source>Remove sample data</source>
        <translation>Retirer les données d’exemple</translation>
    </message>
    <message>
        <source>Welcome to Corvanta</source>
        <translation>Bienvenue dans Corvanta</translation>
    </message>
    <message>
        <source>You are looking at sample data</source>
        <translation>Vous consultez des données d’exemple</translation>
    </message>
    <message>
        <source>Record your portfolio&apos;s balance as of a day, bring in a CSV file of past balances, or look around with sample entries and sample index years first.</source>
        <translation>Inscrivez le solde de votre portefeuille à une date donnée, importez un fichier CSV de soldes passés, ou explorez d’abord avec des entrées et des années d’indice d’exemple.</translation>
    </message>
    <message>
        <source>The entries and years marked “Sample data” are made up. Remove them before recording your own; one Undo brings them back.</source>
        <translation>Les entrées et les années marquées «&#xa0;Sample data&#xa0;» sont fictives. Retirez-les avant d’inscrire les vôtres; une seule annulation les ramène.</translation>
    </message>
    <message>
        <source>Your entries will be listed here</source>
        <translation>Vos entrées seront affichées ici</translation>
    </message>
    <message>
        <source>Each entry is your portfolio&apos;s balance on a day, with its cash flow, transfers and a note. Add your first balance, import a CSV file of past balances, or try the table with sample entries.</source>
        <translation>Chaque entrée est le solde de votre portefeuille à une date, avec son flux de trésorerie, ses transferts et une note. Ajoutez votre premier solde, importez un fichier CSV de soldes passés, ou essayez le tableau avec des entrées d’exemple.</translation>
    </message>
    <message>
        <source>Compare your years with the index</source>
        <translation>Comparez vos années à l’indice</translation>
    </message>
    <message>
        <source>This tab sets your portfolio&apos;s return for each calendar year beside the S&amp;P/TSX Composite total return. Try it with sample entries and sample index years, or start from your own balances.</source>
        <translation>Cet onglet place le rendement de votre portefeuille pour chaque année civile à côté du rendement total de l’indice composé S&amp;P/TSX. Essayez-le avec des entrées et des années d’indice d’exemple, ou partez de vos propres soldes.</translation>
    </message>
    <message>
        <source>Moves the focus to the new entry form on the dashboard</source>
        <translation>Place le curseur dans le formulaire de nouvelle entrée du tableau de bord</translation>
    </message>
    <message>
        <source>Chooses a CSV file of past balances and previews its import</source>
        <translation>Choisit un fichier CSV de soldes passés et affiche un aperçu de l’importation</translation>
    </message>
    <message>
        <source>Stores made-up entries and index years, marked as sample data; Undo takes them out</source>
        <translation>Enregistre des entrées et des années d’indice fictives, marquées comme données d’exemple; Annuler les retire</translation>
    </message>
    <message>
        <source>Takes out every entry and year marked as sample data</source>
        <translation>Retire toutes les entrées et années marquées comme données d’exemple</translation>
    </message>
</context>
<context>
    <name>WidgetPorterDialogs</name>
    <message>
        <source>Choose a CSV with columns: Date, Balance, Adjustment, Transfers, Note</source>
        <extracomment>The column names are the file&apos;s own headers: keep them as they are.</extracomment>
        <translation>Choisissez un CSV aux colonnes&#xa0;: Date, Balance, Adjustment, Transfers, Note</translation>
    </message>
    <message>
        <source>CSV or plain text (*.csv *.txt *.text);;Comma-separated values (*.csv);;Plain text (*.txt *.text)</source>
        <translation>CSV ou texte brut (*.csv *.txt *.text);;Valeurs séparées par des virgules (*.csv);;Texte brut (*.txt *.text)</translation>
    </message>
    <message>
        <source>Comma-separated values (*.csv)</source>
        <translation>Valeurs séparées par des virgules (*.csv)</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>Exporter en CSV</translation>
    </message>
</context>
<context>
    <name>WindowService</name>
    <message>
        <source>This window cannot restore backups</source>
        <translation>Cette fenêtre ne peut pas restaurer de sauvegardes</translation>
    </message>
</context>
<context>
    <name>YearActions</name>
    <message>
        <source>The yearly amounts must be finite numbers.</source>
        <translation>Les montants annuels doivent être des nombres finis.</translation>
    </message>
    <message>
        <source>Add Year %1</source>
        <translation>Ajouter l’année %1</translation>
    </message>
    <message>
        <source>Edit Year %1</source>
        <translation>Modifier l’année %1</translation>
    </message>
    <message>
        <source>Delete Year %1</source>
        <translation>Supprimer l’année %1</translation>
    </message>
    <message numerus="yes">
        <source>Delete %n Years</source>
        <translation>
            <numerusform>Supprimer %n année</numerusform>
            <numerusform>Supprimer %n années</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>corvanta: the Corvanta window already open in this session does not answer</source>
        <translation>corvanta: la fenêtre de Corvanta déjà ouverte dans cette session ne répond pas</translation>
    </message>
</context>
</TS>
